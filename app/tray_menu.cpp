#include "app/tray_menu.h"

#include "app/language_setting.h"
#include "app/string_table.h"
#include "app/system_language.h"

namespace lenscout {

std::vector<TrayMenuEntry> BuildTrayMenu() {
    return {
        {ID_TRAY_AUTODETECT, CurrentText(kTextAutodetect), LanguageSetting == 0},
        {ID_TRAY_ENGLISH, StringTable[0][0], LanguageSetting == 1},
        {ID_TRAY_SIMPLIFIED, StringTable[0][1], LanguageSetting == 2},
        {ID_TRAY_TRADITIONAL, StringTable[0][2], LanguageSetting == 3},
        {0, nullptr, false},
        {ID_TRAY_EXIT, CurrentText(kTextExit), false},
    };
}

TrayCommandResult OnTrayMenuCommand(int command) {
    TrayCommandResult result;
    if (command == ID_TRAY_EXIT) {
        result.exit = true;
        return result;
    }
    if (command < ID_TRAY_AUTODETECT || command > ID_TRAY_TRADITIONAL) return result;
    LanguageSetting = command - ID_TRAY_AUTODETECT;
    WriteLanguageSetting();
    result.language = LanguageSetting == 0 ? DetectSystemLanguage() : LanguageSetting;
    return result;
}

}  // namespace lenscout
