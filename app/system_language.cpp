#include "app/system_language.h"

#include <cstring>

#include "app/languages.h"
#include "platform/user_language.h"

namespace lenscout {

namespace {

constexpr uint16_t kLangEnglishUs = 0x0409;
// Chinese with a sublanguage that names no region of the language list.
constexpr uint16_t kLangChineseOther = 0x0004;

// "zh_TW" in "zh_TW.UTF-8" or "zh_TW@euro", but not in "zh_TWX"; a language
// alone ("de") in each of its regions ("de_AT.UTF-8") too.
bool startsWithLocale(const char* name, const char* locale) {
    const size_t n = std::strlen(locale);
    if (std::strncmp(name, locale, n) != 0) return false;  // name[n] is only read past a match
    const bool anyRegion = !std::strchr(locale, '_') && name[n] == '_';
    return name[n] == '\0' || name[n] == '.' || name[n] == '@' || anyRegion;
}

}  // namespace

uint16_t LangIdFromLocale(const char* locale) {
    if (!locale) return kLangEnglishUs;
    for (int setting = 1; setting <= kLanguageCount; ++setting) {
        const LanguageInfo& l = *languageInfo(setting);
        for (size_t i = 0; i < 5 && l.locales[i]; ++i)
            if (startsWithLocale(locale, l.locales[i])) return l.langIds[i];
    }
    return std::strncmp(locale, "zh_", 3) == 0 ? kLangChineseOther : kLangEnglishUs;
}

// Singapore reads Traditional, not Simplified: the list says so.
int LanguageFromLangId(uint16_t id) {
    for (int setting = 1; setting <= kLanguageCount; ++setting)
        for (uint16_t known : languageInfo(setting)->langIds)
            if (known != 0 && known == id) return setting;
    return kEnglish;
}

uint16_t SystemDefaultLangId() {
    const UserLanguage user = userLanguage();
    return user.langId != 0 ? user.langId : LangIdFromLocale(user.locale.empty() ? nullptr : user.locale.c_str());
}

int DetectSystemLanguage() { return LanguageFromLangId(SystemDefaultLangId()); }

}  // namespace lenscout
