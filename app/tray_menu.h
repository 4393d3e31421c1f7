#pragma once
// The tray icon's menu, built anew each time it opens, and what its
// commands do to the settings it lists: the language, and each setting of
// choiceSettings() as a group of its choices.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/languages.h"
#include "app/user_settings.h"

namespace lenscout {

// Autodetect, one command per language in the order of the list, Exit.
constexpr int ID_TRAY_AUTODETECT = 1;
constexpr int trayLanguageCommand(int setting) { return ID_TRAY_AUTODETECT + setting; }
constexpr int ID_TRAY_ENGLISH = trayLanguageCommand(kEnglish);
constexpr int ID_TRAY_SIMPLIFIED = trayLanguageCommand(kSimplifiedChinese);
constexpr int ID_TRAY_TRADITIONAL = trayLanguageCommand(kTraditionalChinese);
constexpr int ID_TRAY_EXIT = trayLanguageCommand(kLanguageCount) + 1;
// The choices of the choice settings: a block of commands for each setting,
// one command per choice in the order of its list.
constexpr int ID_TRAY_CHOICES_FIRST = ID_TRAY_EXIT + 1;
constexpr int kTrayChoicesPerSetting = 16;
// The command of `setting`'s choice number `choice`, or 0 when the menu has none.
int trayChoiceCommand(const Setting& setting, size_t choice);

// The tray icon's identifier.
constexpr int TRAY_ICON_ID = 128;
// What the icon reports of the mouse; each desktop maps its own events to
// these, and Qt carries them as the lParam of WM_TRAYNOTIFY.
enum class TrayMouse : intptr_t { Other = 0, LeftDown = 1, RightDown = 2 };
// The tip holds at most 63 bytes of the title and its terminating zero.
constexpr int kTrayTipSize = 64;

// Autodetect and each language: one choice among them, always one.
inline bool isLanguageCommand(int command) { return command >= ID_TRAY_AUTODETECT && command < ID_TRAY_EXIT; }

// The menu's groups of choices, one checked in each: the languages, then
// one group per choice setting (trayGroupOf).
enum class TrayGroup : int { None = 0, Language = 1 };
constexpr TrayGroup trayGroupOf(size_t choiceSetting) { return static_cast<TrayGroup>(2 + choiceSetting); }

struct TrayMenuEntry {
    int command;       // 0 for the separator
    const char* text;  // null for the separator
    bool checked;
    TrayGroup group = TrayGroup::None;
};

// Autodetect, the languages each in its own, a separator, then for each
// choice setting its choices and a separator, and Exit; one language checked
// after LanguageSetting, and in each setting the choice `values` hold.
std::vector<TrayMenuEntry> BuildTrayMenu(const SettingValues& values);

struct TrayCommandResult {
    bool exit = false;
    int language = 0;                  // the language to apply; 0 when there is none
    const Setting* setting = nullptr;  // the choice setting to apply, with its value
    int value = 0;
    bool notSaved = false;  // the settings file could not be written: the choice holds until the end
};
// Carries out a chosen command: a language or choice command sets its
// setting and writes the settings file, also when its entry was already
// checked.
TrayCommandResult OnTrayMenuCommand(int command);

// What a click on the tray icon does: the left button shows the window in
// every state; the right button opens the menu unless the context menu or
// a dialog from it is up.
enum class TrayClick { Nothing, ShowWindow, OpenMenu };
TrayClick trayClickAction(TrayMouse mouse, bool contextBusy);

}  // namespace lenscout
