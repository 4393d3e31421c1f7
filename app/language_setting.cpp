#include "app/language_setting.h"

#include <cctype>
#include <cstring>

#include "app/setting_keys.h"
#include "app/settings_store.h"
#include "platform/private_file.h"

namespace lenscout {

int LanguageSetting = 0;

namespace {

// As the scan "%d" reads it: the number may follow blanks (line ends among
// them) and a sign, and ends at its first non-digit. A number too large for
// an int counts as out of range instead of wrapping into one of the
// settings.
int parseLanguageValue(const char* at, const char* end) {
    while (at < end && std::isspace(static_cast<unsigned char>(*at))) ++at;
    const bool negative = at < end && *at == '-';
    if (at < end && (*at == '-' || *at == '+')) ++at;
    if (at == end || !std::isdigit(static_cast<unsigned char>(*at))) return 0;
    long long value = 0;
    for (; at < end && std::isdigit(static_cast<unsigned char>(*at)); ++at)
        if ((value = value * 10 + (*at - '0')) > kLanguageCount) return 0;  // out of range, however long
    return negative && value != 0 ? 0 : static_cast<int>(value);
}

int languageOf(const SettingsStore& store) {
    const std::optional<std::string_view> value = store.from(kLanguageKey);
    return value ? parseLanguageValue(value->data(), value->data() + value->size()) : 0;
}

}  // namespace

std::string settingsFilePath() {
    const std::string own = userSettingsPath();
    return own.empty() ? kSettingsFile : own;
}

void takeOverOldSettings() {
    const std::string own = userSettingsPath();
    std::string text;
    if (own.empty() || readOwnFile(own, SettingsStore::kReadLimit, &text)) return;
    if (readOwnFile(kSettingsFile, SettingsStore::kReadLimit, &text)) replaceOwnFile(own, text);
}

int parseLanguageSetting(const char* text, size_t size) { return languageOf(SettingsStore::parse({text, size})); }

void ReadLanguageSetting(const std::string& path) { LanguageSetting = languageOf(SettingsStore::load(path)); }

void WriteLanguageSetting(const std::string& path) {
    SettingsStore store = SettingsStore::load(path);
    store.set(kLanguageKey, std::to_string(LanguageSetting));
    store.save(path);
}

}  // namespace lenscout
