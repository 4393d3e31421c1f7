#include "app/languages.h"

namespace lenscout {

namespace {

#define LENSCOUT_LANGUAGE_INFO(setting, name, native, english, a, b, c, d, e, ...) \
    {setting, native, english, {a, b, c, d, e}, {__VA_ARGS__}},
constexpr LanguageInfo kLanguages[] = {LENSCOUT_LANGUAGES(LENSCOUT_LANGUAGE_INFO)};
#undef LENSCOUT_LANGUAGE_INFO

static_assert(sizeof kLanguages / sizeof kLanguages[0] == kLanguageCount, "one entry per language");

}  // namespace

std::string languageChoicesText() {
    std::string text = "0 the system's";
    for (int setting = 1; setting <= kLanguageCount; ++setting)
        text += ", " + std::to_string(setting) + " " + languageInfo(setting)->englishName;
    return text;
}

const LanguageInfo* languageInfo(int setting) {
    if (setting < 1 || setting > kLanguageCount) return nullptr;
    return &kLanguages[setting - 1];
}

}  // namespace lenscout
