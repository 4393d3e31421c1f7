#pragma once
// The languages Lenscout speaks, in one list: the setting's numbers, the
// string table's columns, the tray menu's commands, lenscout-cli's --lang,
// its help and the manual page all come from here. A new language is one
// line here and one column in string_texts.cpp.
#include <cstdint>

namespace lenscout {

// X(setting, constant, name in itself (UTF-8), name in English, Windows
// language identifiers (up to five, 0 where unused), locale names)
// The setting 0 is automatic; English, the first, is also the fallback.
// clang-format off
#define LENSCOUT_LANGUAGES(X)                                                                         \
    X(1, kEnglish,            "English",  "English",             0x0409, 0, 0, 0, 0, "en")            \
    X(2, kSimplifiedChinese,  "简体中文", "Simplified Chinese",  0x0804, 0, 0, 0, 0, "zh_CN")         \
    X(3, kTraditionalChinese, "繁體中文", "Traditional Chinese", 0x0404, 0x0c04, 0x1004, 0x1404, 0,   \
      "zh_TW", "zh_HK", "zh_SG", "zh_MO")
// clang-format on

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

}  // namespace lenscout
