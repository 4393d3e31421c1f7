#include "platform/gbk.h"

#include <windows.h>

#include <io.h>
#include <cstdio>

namespace lenscout {
namespace {

constexpr UINT kGbk = 936;

std::wstring wide(UINT page, std::string_view text, DWORD flags) {
    if (text.empty()) return {};
    const int n = ::MultiByteToWideChar(page, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(page, flags, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

// One character into `page`; false when the page has no such character.
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

// Character by character, so that one that does not convert is dropped
// and the rest still goes.
std::string narrow(UINT page, const std::wstring& text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const size_t length = (IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size()) ? 2 : 1;
        narrowOne(page, std::wstring_view(text).substr(i, length), out);
        i += length;
    }
    return out;
}

// GBK as the C library's "GBK" reads it: ASCII, or a lead byte 0x81-0xFE
// with a second byte; 0x80 and 0xFF stand for nothing.
std::string fromGbk(UINT page, std::string_view gbk) {
    std::string out;
    for (size_t i = 0; i < gbk.size();) {
        const unsigned char lead = static_cast<unsigned char>(gbk[i]);
        const size_t length = (lead >= 0x81 && lead <= 0xfe && i + 1 < gbk.size()) ? 2 : 1;
        const std::wstring c =
            lead == 0x80 || lead == 0xff ? std::wstring() : wide(kGbk, gbk.substr(i, length), MB_ERR_INVALID_CHARS);
        if (!c.empty() && narrowOne(page, c, out)) {
            i += length;
            continue;
        }
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\x%02X", lead);
        out += escape;
        ++i;
    }
    return out;
}

// The console's own page when the output is one; UTF-8 into files and pipes.
UINT terminalPage() {
    if (::_isatty(1) || ::_isatty(2)) {
        const UINT page = ::GetConsoleOutputCP();
        if (page) return page;
    }
    return CP_UTF8;
}

}  // namespace

std::string gbkToUtf8(std::string_view gbk) { return fromGbk(CP_UTF8, gbk); }
std::string utf8ToGbk(std::string_view utf8) { return narrow(kGbk, wide(CP_UTF8, utf8, 0)); }
std::string gbkToTerminal(std::string_view gbk) { return fromGbk(terminalPage(), gbk); }
std::string terminalToGbk(std::string_view text) { return narrow(kGbk, wide(terminalPage(), text, 0)); }

}  // namespace lenscout
