#include "app/language_setting.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace lenscout {

int LanguageSetting = 0;

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

}  // namespace

// As the scan "lang=%d" reads it: the file starts with exactly "lang=", the
// number may follow blanks and a sign and ends at its first non-digit. A
// number too large for an int counts as out of range instead of wrapping
// into one of the settings.
void ReadLanguageSetting(const char* path) {
    LanguageSetting = 0;
    File file(std::fopen(path, "r"));
    if (!file) return;
    char text[64] = {};
    const size_t got = std::fread(text, 1, sizeof text - 1, file.get());
    if (got < 5 || std::strncmp(text, "lang=", 5) != 0) return;
    const char* number = text + 5;
    while (std::isspace(static_cast<unsigned char>(*number))) ++number;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(number, &end, 10);
    if (end == number || errno == ERANGE || value < 0 || value > 3) return;
    LanguageSetting = static_cast<int>(value);
}

void WriteLanguageSetting(const char* path) {
    File file(std::fopen(path, "w"));
    if (file) std::fprintf(file.get(), "lang=%d", LanguageSetting);
}

}  // namespace lenscout
