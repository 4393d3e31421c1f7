#pragma once
#include <cstdint>

namespace lenscout {

// The system's default language as a Windows-style language identifier:
// from the first non-empty of LC_ALL, LC_MESSAGES and LANG, or the user's
// interface language on Windows.
uint16_t SystemDefaultLangId();
// The identifier a locale name ("zh_TW.UTF-8", "C", ...) stands for.
uint16_t LangIdFromLocale(const char* locale);
// 2 for Simplified Chinese, 3 for Traditional, 1 for everything else.
int LanguageFromLangId(uint16_t id);
// LanguageFromLangId(SystemDefaultLangId()).
int DetectSystemLanguage();

}  // namespace lenscout
