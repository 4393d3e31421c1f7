#include "app/language_setting.h"

#include "app/settings_store.h"
#include "platform/private_file.h"

namespace lenscout {

int LanguageSetting = 0;

void takeOverOldSettings() {
    const std::string own = userSettingsPath();
    std::string text;
    if (own.empty() || readOwnFile(own, SettingsStore::kReadLimit, &text)) return;
    if (readOwnFile(kSettingsFile, SettingsStore::kReadLimit, &text)) replaceOwnFile(own, text);
}

int parseLanguageSetting(const char* text, size_t size) {
    return readSetting(languageSetting(), SettingsStore::parse({text, size}));
}

void ReadLanguageSetting(const std::string& path) { LanguageSetting = readSetting(languageSetting(), path); }

bool WriteLanguageSetting(const std::string& path) { return writeSetting(languageSetting(), LanguageSetting, path); }

}  // namespace lenscout
