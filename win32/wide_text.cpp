#include "win32/wide_text.h"

#include "app/string_table.h"
#include "platform/wide_text_win32.h"
#include "win32/control_ids.h"

namespace lenscout {

std::wstring wideFromUtf8(std::string_view utf8) { return widen(CP_UTF8, utf8); }

std::string utf8FromWide(std::wstring_view wide) { return narrow(CP_UTF8, wide); }

std::wstring windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int n = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

void setWindowUtf8(HWND window, std::string_view utf8) { SetWindowTextW(window, wideFromUtf8(utf8).c_str()); }

void setItemUtf8(HWND dialog, int item, std::string_view utf8) { setWindowUtf8(GetDlgItem(dialog, item), utf8); }

void setItemRow(HWND dialog, int item, int row) { setItemUtf8(dialog, item, CurrentText(row)); }

std::wstring withAccessKey(std::wstring text, wchar_t key) {
    for (size_t at = text.find(L'&'); at != std::wstring::npos; at = text.find(L'&', at + 2)) text.insert(at, 1, L'&');
    if (!key) return text;
    const wchar_t upper = static_cast<wchar_t>(towupper(key)), lower = static_cast<wchar_t>(towlower(key));
    const size_t at = text.find_first_of(std::wstring{upper, lower});
    if (at != std::wstring::npos) return text.insert(at, 1, L'&');
    return text + L"(&" + upper + L")";
}

void setControlTexts(HWND dialog, const std::vector<ControlText>& texts) {
    for (const ControlText& t : texts)
        SetDlgItemTextW(dialog, controlId(t.control),
                        withAccessKey(wideFromUtf8(CurrentText(t.row)), static_cast<wchar_t>(t.key)).c_str());
}

}  // namespace lenscout
