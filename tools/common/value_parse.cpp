#include "tools/common/value_parse.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace lenscout {

bool parseUnsigned(const std::string& text, uint64_t max, uint64_t* out, int base) {
    if (text.empty() || text[0] == '-' || text[0] == '+' || text[0] == ' ') return false;
    errno = 0;
    char* end = nullptr;
    unsigned long long v = std::strtoull(text.c_str(), &end, base);
    if (errno != 0 || *end != '\0' || v > max) return false;
    *out = v;
    return true;
}

bool parseSigned(const std::string& text, int64_t min, int64_t max, int64_t* out) {
    if (text.empty() || text[0] == ' ') return false;
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < min || v > max) return false;
    *out = v;
    return true;
}

bool parseDotted(const std::string& text, uint32_t* out) {
    unsigned char b[4];
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        size_t dot = text.find('.', start);
        bool last = i == 3;
        if (last != (dot == std::string::npos)) return false;
        uint64_t v = 0;
        if (!parseUnsigned(text.substr(start, last ? std::string::npos : dot - start), 255, &v)) return false;
        b[i] = static_cast<unsigned char>(v);
        start = dot + 1;
    }
    std::memcpy(out, b, 4);
    return true;
}

bool parseRange(const std::string& text, uint64_t max, uint64_t* low, uint64_t* high) {
    size_t dash = text.find('-');
    if (dash == std::string::npos) {
        if (!parseUnsigned(text, max, low)) return false;
        *high = *low;
        return true;
    }
    return parseUnsigned(text.substr(0, dash), max, low) && parseUnsigned(text.substr(dash + 1), max, high) &&
           *low <= *high;
}

bool parseHex(const std::string& text, std::string* bytes) {
    if (text.size() % 2 != 0) return false;
    bytes->clear();
    for (size_t i = 0; i < text.size(); i += 2) {
        uint64_t v = 0;
        std::string pair = text.substr(i, 2);
        if (!std::isxdigit(static_cast<unsigned char>(pair[0])) || !std::isxdigit(static_cast<unsigned char>(pair[1])))
            return false;
        parseUnsigned(pair, 255, &v, 16);
        bytes->push_back(static_cast<char>(v));
    }
    return true;
}

}  // namespace lenscout
