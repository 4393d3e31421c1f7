#include "app/tray_menu.h"

#include "app/language_setting.h"
#include "app/string_table.h"
#include "app/system_language.h"

namespace lenscout {

std::vector<TrayMenuEntry> BuildTrayMenu() {
    std::vector<TrayMenuEntry> menu{{ID_TRAY_AUTODETECT, CurrentText(kTextAutodetect), LanguageSetting == 0}};
    for (int setting = 1; setting <= kLanguageCount; ++setting)
        menu.push_back({trayLanguageCommand(setting), StringTable[0][setting - 1], LanguageSetting == setting});
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
    if (!isLanguageCommand(command)) return result;
    LanguageSetting = command - ID_TRAY_AUTODETECT;
    WriteLanguageSetting();
    result.language = LanguageSetting == 0 ? DetectSystemLanguage() : LanguageSetting;
    return result;
}

TrayClick trayClickAction(intptr_t mouseMessage, bool contextBusy) {
    if (mouseMessage == kTrayLeftButtonDown) return TrayClick::ShowWindow;
    if (mouseMessage == kTrayRightButtonUp && !contextBusy) return TrayClick::OpenMenu;
    return TrayClick::Nothing;
}

}  // namespace lenscout
