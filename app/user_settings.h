#pragma once
// The user's settings, each declared once: its key in the settings file,
// its default, the values it may hold, and the choices a menu lists with
// their texts. Every program reads and writes them through here alone; a
// new setting is one entry in user_settings.cpp and its accessor below.
#include <string>
#include <vector>

#include "app/settings_store.h"

namespace lenscout {

struct SettingChoice {
    int value;
    int textRow;  // the menu entry's string-table row; 0 where the menu names it otherwise
};

struct Setting {
    const char* key;
    int fallback;  // the default, and what an unusable value gives
    int min, max;  // the values the file may hold
    // The values a menu lists, in order. With any, the file may hold only those.
    std::vector<SettingChoice> choices;
    bool allows(int value) const;
    std::vector<int> values() const;  // the choices' values
};

// The user-interface language: 0 automatic, else a setting of languages.h.
const Setting& languageSetting();
// Seconds between the searches of the desktops and of scan: 1, 3 or 10.
const Setting& searchPeriodSetting();
// Every setting, for menus and tests.
std::vector<const Setting*> allSettings();

// The name of the settings file, which older versions kept in the working
// directory.
constexpr char kSettingsFile[] = "lenscout.cfg";

// The user's settings file (private_file.h); the working directory's only
// where the system names no folder for the user.
std::string settingsFilePath();

// The setting's value in the store; the fallback for anything unusable. As
// the scan "%d" reads it: the number may follow blanks (line ends among
// them) and a sign, and ends at its first non-digit.
int readSetting(const Setting& setting, const SettingsStore& store);
int readSetting(const Setting& setting, const std::string& path = settingsFilePath());
// Writes "key=N", keeping the file's other settings; false when the file
// could not be written (the value still holds for the running process).
bool writeSetting(const Setting& setting, int value, const std::string& path = settingsFilePath());

}  // namespace lenscout
