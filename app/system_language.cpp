#include "app/system_language.h"

#include <cstring>

#include "app/string_table.h"

namespace lenscout {

namespace {

constexpr uint16_t kLangEnglishUs = 0x0409;
// Chinese with a sublanguage that names no region of the table below.
constexpr uint16_t kLangChineseOther = 0x0004;

struct Region {
    const char* locale;
    uint16_t id;
};
constexpr Region kChineseRegions[] = {
    {"zh_CN", 0x0804}, {"zh_TW", 0x0404}, {"zh_HK", 0x0c04}, {"zh_SG", 0x1004}, {"zh_MO", 0x1404},
};

// "zh_TW" in "zh_TW.UTF-8" or "zh_TW@euro", but not in "zh_TWX".
bool startsWithLocale(const char* name, const char* locale) {
    const size_t n = std::strlen(locale);
    return std::strncmp(name, locale, n) == 0 && (name[n] == '\0' || name[n] == '.' || name[n] == '@');
}

}  // namespace

uint16_t LangIdFromLocale(const char* locale) {
    if (!locale) return kLangEnglishUs;
    for (const Region& r : kChineseRegions)
        if (startsWithLocale(locale, r.locale)) return r.id;
    return std::strncmp(locale, "zh_", 3) == 0 ? kLangChineseOther : kLangEnglishUs;
}

int LanguageFromLangId(uint16_t id) {
    switch (id) {
    case 0x0804: return kSimplifiedChinese;
    case 0x0404:
    case 0x0c04:
    case 0x1004:  // Singapore reads Traditional, not Simplified
    case 0x1404: return kTraditionalChinese;
    default: return kEnglish;
    }
}

int DetectSystemLanguage() { return LanguageFromLangId(SystemDefaultLangId()); }

}  // namespace lenscout
