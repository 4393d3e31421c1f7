#pragma once
// The user's settings, each declared once: its key in the settings file,
// its default, the values it may hold, the choices a menu lists with their
// texts, and the command-line option that sets it for one run. Every program
// reads and writes them through here alone; a new setting is one entry in
// user_settings.cpp and its accessor below. The tray menus, the command
// line's options and the manual page take theirs from the entries.
#include <map>
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
    // The command line's option for it ("--period"), the name of its value
    // and its help in English, as the command line speaks; null for none.
    const char* option = nullptr;
    const char* optionValue = nullptr;
    const char* optionHelp = nullptr;
    bool allows(int value) const;
    std::vector<int> values() const;  // the choices' values
};

// The user-interface language: 0 automatic, else a setting of languages.h.
const Setting& languageSetting();
// Seconds between the searches of the desktops and of scan: 1, 3 or 10.
const Setting& searchPeriodSetting();
// Every setting, for tests.
std::vector<const Setting*> allSettings();
// The settings whose choices the tray menus list after the languages, in
// the menus' order. The language, with its own group, is not among them.
std::vector<const Setting*> choiceSettings();
// Those of them that the command line sets with an option.
std::vector<const Setting*> optionSettings();
// A setting's choices as a sentence says them: "1, 3 or 10".
std::string choicesText(const Setting& setting);
// The option's help, with the choices and the value it has without it:
// "seconds between searches: 1, 3 or 10 (3, the desktops' setting)".
std::string optionHelp(const Setting& setting, int current);

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

// The values of the choice settings that one run holds: read once, then
// changed by the menu or the command line. A change holds for the run also
// when the file could not take it.
class SettingValues {
public:
    static SettingValues read(const std::string& path = settingsFilePath());
    int of(const Setting& setting) const;  // its fallback where none is held
    void set(const Setting& setting, int value) { values_[&setting] = value; }
    const std::map<const Setting*, int>& held() const { return values_; }

private:
    std::map<const Setting*, int> values_;
};

}  // namespace lenscout
