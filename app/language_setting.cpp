#include "app/language_setting.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/file_handle.h"

namespace lenscout {

int LanguageSetting = 0;

// As the scan "lang=%d" reads it: the text starts with exactly "lang=", the
// number may follow blanks and a sign and ends at its first non-digit. A
// number too large for an int counts as out of range instead of wrapping
// into one of the settings.
int parseLanguageSetting(const char* text, size_t size) {
    const char* end = text + size;
    if (size < 5 || std::memcmp(text, "lang=", 5) != 0) return 0;
    const char* at = text + 5;
    while (at < end && std::isspace(static_cast<unsigned char>(*at))) ++at;
    const bool negative = at < end && *at == '-';
    if (at < end && (*at == '-' || *at == '+')) ++at;
    if (at == end || !std::isdigit(static_cast<unsigned char>(*at))) return 0;
    long long value = 0;
    for (; at < end && std::isdigit(static_cast<unsigned char>(*at)); ++at)
        if ((value = value * 10 + (*at - '0')) > 3) return 0;  // out of range, however long it goes on
    return negative && value != 0 ? 0 : static_cast<int>(value);
}

// The start of the file is all that counts; a megabyte is more than any
// blanks before the number need.
void ReadLanguageSetting(const char* path) {
    constexpr size_t kReadLimit = 1 << 20;
    LanguageSetting = 0;
    FileHandle file(std::fopen(path, "r"));
    if (!file) return;
    std::vector<char> text(kReadLimit);
    const size_t got = std::fread(text.data(), 1, text.size(), file.get());
    LanguageSetting = parseLanguageSetting(text.data(), got);
}

void WriteLanguageSetting(const char* path) {
    FileHandle file(std::fopen(path, "w"));
    if (file) std::fprintf(file.get(), "lang=%d", LanguageSetting);
}

}  // namespace lenscout
