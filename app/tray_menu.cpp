#include "app/tray_menu.h"

#include "app/language_setting.h"
#include "app/string_table.h"
#include "app/system_language.h"
#include "app/user_settings.h"

namespace lenscout {

namespace {

int choiceCommand(size_t setting, size_t choice) {
    return ID_TRAY_CHOICES_FIRST + static_cast<int>(setting) * kTrayChoicesPerSetting + static_cast<int>(choice);
}

void addChoiceGroups(const SettingValues& values, std::vector<TrayMenuEntry>* menu) {
    const std::vector<const Setting*> settings = choiceSettings();
    for (size_t s = 0; s < settings.size(); ++s) {
        const std::vector<SettingChoice>& choices = settings[s]->choices;
        for (size_t c = 0; c < choices.size(); ++c)
            menu->push_back({choiceCommand(s, c), CurrentText(choices[c].textRow),
                             choices[c].value == values.of(*settings[s]), trayGroupOf(s)});
        menu->push_back({0, nullptr, false});
    }
}

// The setting and value of a choice command, written to the file.
bool applyChoiceCommand(int command, TrayCommandResult* result) {
    const std::vector<const Setting*> settings = choiceSettings();
    if (command < ID_TRAY_CHOICES_FIRST) return false;
    const size_t s = static_cast<size_t>((command - ID_TRAY_CHOICES_FIRST) / kTrayChoicesPerSetting);
    const size_t c = static_cast<size_t>((command - ID_TRAY_CHOICES_FIRST) % kTrayChoicesPerSetting);
    if (s >= settings.size() || c >= settings[s]->choices.size()) return false;
    result->setting = settings[s];
    result->value = settings[s]->choices[c].value;
    result->notSaved = !writeSetting(*result->setting, result->value);
    return true;
}

}  // namespace

int trayChoiceCommand(const Setting& setting, size_t choice) {
    const std::vector<const Setting*> settings = choiceSettings();
    for (size_t s = 0; s < settings.size(); ++s)
        if (settings[s] == &setting && choice < setting.choices.size()) return choiceCommand(s, choice);
    return 0;
}

std::vector<TrayMenuEntry> BuildTrayMenu(const SettingValues& values) {
    const TrayGroup language = TrayGroup::Language;
    std::vector<TrayMenuEntry> menu{{ID_TRAY_AUTODETECT, CurrentText(kTextAutodetect), LanguageSetting == 0, language}};
    for (int setting = 1; setting <= kLanguageCount; ++setting)
        menu.push_back(
            {trayLanguageCommand(setting), languageInfo(setting)->nativeName, LanguageSetting == setting, language});
    menu.push_back({0, nullptr, false});
    addChoiceGroups(values, &menu);
    menu.push_back({ID_TRAY_EXIT, CurrentText(kTextExit), false});
    return menu;
}

TrayCommandResult OnTrayMenuCommand(int command) {
    TrayCommandResult result;
    if (command == ID_TRAY_EXIT) {
        result.exit = true;
        return result;
    }
    if (applyChoiceCommand(command, &result)) return result;
    if (!isLanguageCommand(command)) return result;
    LanguageSetting = command - ID_TRAY_AUTODETECT;
    result.notSaved = !WriteLanguageSetting();
    result.language = LanguageSetting == 0 ? DetectSystemLanguage() : LanguageSetting;
    return result;
}

TrayClick trayClickAction(TrayMouse mouse, bool contextBusy) {
    if (mouse == TrayMouse::LeftDown) return TrayClick::ShowWindow;
    if (mouse == TrayMouse::RightDown && !contextBusy) return TrayClick::OpenMenu;
    return TrayClick::Nothing;
}

}  // namespace lenscout
