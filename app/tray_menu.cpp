#include "app/tray_menu.h"

#include "app/language_setting.h"
#include "app/string_table.h"
#include "app/system_language.h"
#include "app/user_settings.h"

namespace lenscout {

std::vector<TrayMenuEntry> BuildTrayMenu(int searchPeriod) {
    const TrayGroup language = TrayGroup::Language;
    std::vector<TrayMenuEntry> menu{{ID_TRAY_AUTODETECT, CurrentText(kTextAutodetect), LanguageSetting == 0, language}};
    for (int setting = 1; setting <= kLanguageCount; ++setting)
        menu.push_back(
            {trayLanguageCommand(setting), languageInfo(setting)->nativeName, LanguageSetting == setting, language});
    menu.push_back({0, nullptr, false});
    const std::vector<SettingChoice>& periods = searchPeriodSetting().choices;
    for (size_t i = 0; i < periods.size(); ++i)
        menu.push_back({ID_TRAY_PERIOD_FIRST + static_cast<int>(i), CurrentText(periods[i].textRow),
                        periods[i].value == searchPeriod, TrayGroup::SearchPeriod});
    menu.push_back({0, nullptr, false});
    menu.push_back({ID_TRAY_EXIT, CurrentText(kTextExit), false});
    return menu;
}

TrayCommandResult OnTrayMenuCommand(int command) {
    TrayCommandResult result;
    if (command == ID_TRAY_EXIT) {
        result.exit = true;
        return result;
    }
    const std::vector<SettingChoice>& periods = searchPeriodSetting().choices;
    const size_t period = static_cast<size_t>(command - ID_TRAY_PERIOD_FIRST);
    if (command >= ID_TRAY_PERIOD_FIRST && period < periods.size()) {
        result.searchPeriod = periods[period].value;
        result.notSaved = !writeSetting(searchPeriodSetting(), result.searchPeriod);
        return result;
    }
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
