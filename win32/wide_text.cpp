#include "win32/wide_text.h"

#include "app/string_table.h"
#include "platform/wide_text_win32.h"

namespace lenscout {

std::wstring wideFromGbk(std::string_view gbk) { return widen(kGbkCodePage, gbk); }

std::string gbkFromWide(std::wstring_view wide) { return narrow(kGbkCodePage, wide); }

std::wstring currentWide(int row) { return wideFromGbk(CurrentText(row)); }

std::wstring windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int n = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

void setWindowGbk(HWND window, std::string_view gbk) { SetWindowTextW(window, wideFromGbk(gbk).c_str()); }

void setItemGbk(HWND dialog, int item, std::string_view gbk) { setWindowGbk(GetDlgItem(dialog, item), gbk); }

void setItemRow(HWND dialog, int item, int row) { setItemGbk(dialog, item, CurrentText(row)); }

}  // namespace lenscout
