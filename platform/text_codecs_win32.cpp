#include "platform/text_codecs.h"

#include <windows.h>

#include <io.h>

#include <cstdio>
#include "platform/wide_text_win32.h"

namespace lenscout {
namespace {

// GBK as the C library's "GBK" reads it: ASCII, or a lead byte 0x81-0xFE
// with a second byte; 0x80 and 0xFF stand for nothing.
std::string fromGbk(UINT page, std::string_view gbk) {
    std::string out;
    for (size_t i = 0; i < gbk.size();) {
        const unsigned char lead = static_cast<unsigned char>(gbk[i]);
        const size_t length = (lead >= 0x81 && lead <= 0xfe && i + 1 < gbk.size()) ? 2 : 1;
        const std::wstring c = lead == 0x80 || lead == 0xff
                                   ? std::wstring()
                                   : widen(kGbkCodePage, gbk.substr(i, length), MB_ERR_INVALID_CHARS);
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
std::string utf8ToGbk(std::string_view utf8) { return narrow(kGbkCodePage, widen(CP_UTF8, utf8)); }
std::string gbkToShown(std::string_view gbk) { return narrow(CP_UTF8, widen(kGbkCodePage, gbk)); }
std::string utf8ToTerminal(std::string_view utf8) { return narrow(terminalPage(), widen(CP_UTF8, utf8)); }
std::string terminalToUtf8(std::string_view text) { return narrow(CP_UTF8, widen(terminalPage(), text)); }

}  // namespace lenscout
