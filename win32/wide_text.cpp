#include "win32/wide_text.h"

#include "app/string_table.h"

namespace lenscout {

namespace {
constexpr UINT kGbk = 936;
}

std::wstring wideFromGbk(std::string_view gbk) {
    if (gbk.empty()) return {};
    const int size = static_cast<int>(gbk.size());
    const int n = MultiByteToWideChar(kGbk, 0, gbk.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(kGbk, 0, gbk.data(), size, wide.data(), n);
    return wide;
}

std::string gbkFromWide(std::wstring_view wide) {
    std::string gbk;
    char bytes[8];
    // One character at a time, so that one without a GBK form is dropped
    // rather than turned into a '?' that would go to the camera.
    for (size_t i = 0; i < wide.size(); ++i) {
        const int units = IS_HIGH_SURROGATE(wide[i]) && i + 1 < wide.size() ? 2 : 1;
        BOOL lost = FALSE;
        const int n = WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data() + i, units, bytes, sizeof bytes,
                                          nullptr, &lost);
        if (n > 0 && !lost) gbk.append(bytes, static_cast<size_t>(n));
        i += static_cast<size_t>(units - 1);
    }
    return gbk;
}

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
