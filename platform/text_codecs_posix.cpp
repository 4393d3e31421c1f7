#include "platform/text_codecs.h"

#include <iconv.h>
#include <langinfo.h>
#include <cerrno>
#include <cstdio>
#include <string>

namespace lenscout {
namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; returns false at the first bad sequence,
    // with `in` left at it.
    bool run(std::string_view& in, std::string& out) {
        char buffer[256];
        while (!in.empty()) {
            char* src = const_cast<char*>(in.data());
            size_t srcLeft = in.size();
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<size_t>(dst - buffer));
            in.remove_prefix(in.size() - srcLeft);
            if (r == static_cast<size_t>(-1) && errno != E2BIG) return false;
        }
        return true;
    }

private:
    iconv_t cd_;
};

std::string convert(const char* to, const char* from, std::string_view in, bool escape) {
    Converter c(to, from);
    std::string out;
    while (!in.empty()) {
        if (c.ok() && c.run(in, out)) break;
        if (escape) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(in.front()));
            out += hex;
        }
        in.remove_prefix(1);
    }
    return out;
}

// A locale of plain ASCII (the "C" locale of scripts and services) is
// taken as UTF-8, as the rest of the desktop does.
std::string terminalCodeset() {
    const std::string codeset = nl_langinfo(CODESET);
    if (codeset.empty() || codeset == "ANSI_X3.4-1968" || codeset == "ASCII") return "UTF-8";
    return codeset;
}

}  // namespace

std::string gbkToUtf8(std::string_view gbk) { return convert("UTF-8", "GBK", gbk, true); }
std::string utf8ToGbk(std::string_view utf8) { return convert("GBK", "UTF-8", utf8, false); }
std::string gbkToShown(std::string_view gbk) { return gbkToUtf8(gbk); }
std::string utf8ToTerminal(std::string_view utf8) { return convert(terminalCodeset().c_str(), "UTF-8", utf8, true); }
std::string terminalToUtf8(std::string_view text) { return convert("UTF-8", terminalCodeset().c_str(), text, true); }

}  // namespace lenscout
