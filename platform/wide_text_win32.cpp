#include "platform/wide_text_win32.h"

namespace lenscout {

std::wstring widen(UINT page, std::string_view text, DWORD flags) {
    if (text.empty()) return {};
    const int n = ::MultiByteToWideChar(page, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(page, flags, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

bool narrowOne(UINT page, std::wstring_view c, std::string& out) {
    char buffer[8];
    BOOL usedDefault = FALSE;
    const bool exact = page != CP_UTF8;
    const int n = ::WideCharToMultiByte(page, exact ? WC_NO_BEST_FIT_CHARS : 0, c.data(), static_cast<int>(c.size()),
                                        buffer, sizeof buffer, nullptr, exact ? &usedDefault : nullptr);
    if (n <= 0 || usedDefault) return false;
    out.append(buffer, static_cast<size_t>(n));
    return true;
}

std::string narrow(UINT page, std::wstring_view text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const size_t length = (IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size()) ? 2 : 1;
        narrowOne(page, text.substr(i, length), out);
        i += length;
    }
    return out;
}

}  // namespace lenscout
