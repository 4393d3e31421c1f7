#pragma once
// The languages Lenscout speaks, from the one list in cmake/facts.cmake:
// the setting's numbers, the string table's columns, the tray menu's
// commands, lenscout-cli's --lang, its help and the manual page all come
// from it.
#include <cstdint>
#include <string>

#include "lenscout_facts.h"

namespace lenscout {

#define LENSCOUT_LANGUAGE_CONSTANT(setting, name, ...) constexpr int name = setting;
LENSCOUT_LANGUAGES(LENSCOUT_LANGUAGE_CONSTANT)
#undef LENSCOUT_LANGUAGE_CONSTANT

#define LENSCOUT_LANGUAGE_ONE(...) +1
constexpr int kLanguageCount = 0 LENSCOUT_LANGUAGES(LENSCOUT_LANGUAGE_ONE);
#undef LENSCOUT_LANGUAGE_ONE

struct LanguageInfo {
    int setting;
    const char* nativeName;   // UTF-8
    const char* englishName;  // for help texts
    uint16_t langIds[5];      // 0 where unused
    const char* locales[5];   // null where unused
};

// Language `setting` (1 to kLanguageCount), or null.
const LanguageInfo* languageInfo(int setting);
// "0 the system's, 1 English, 2 Simplified Chinese, ...": the settings a
// command line offers, from the list.
std::string languageChoicesText();

}  // namespace lenscout
