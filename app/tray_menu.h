#pragma once
// The tray icon's menu, built anew each time it opens, and what its
// commands do to the language setting.
#include <cstdint>
#include <vector>

#include "app/languages.h"

namespace lenscout {

// Autodetect, one command per language in the order of the list, Exit.
constexpr int ID_TRAY_AUTODETECT = 1;
constexpr int trayLanguageCommand(int setting) { return ID_TRAY_AUTODETECT + setting; }
constexpr int ID_TRAY_ENGLISH = trayLanguageCommand(kEnglish);
constexpr int ID_TRAY_SIMPLIFIED = trayLanguageCommand(kSimplifiedChinese);
constexpr int ID_TRAY_TRADITIONAL = trayLanguageCommand(kTraditionalChinese);
constexpr int ID_TRAY_EXIT = trayLanguageCommand(kLanguageCount) + 1;

// The tray icon's identifier and the mouse messages its handler acts on.
constexpr int TRAY_ICON_ID = 128;
constexpr int kTrayLeftButtonDown = 513;
constexpr int kTrayRightButtonUp = 516;
// The tip holds at most 63 bytes of the title and its terminating zero.
constexpr int kTrayTipSize = 64;

// Autodetect and the three languages: one choice among them, always one.
inline bool isLanguageCommand(int command) { return command >= ID_TRAY_AUTODETECT && command < ID_TRAY_EXIT; }

struct TrayMenuEntry {
    int command;       // 0 for the separator
    const char* text;  // GBK; null for the separator
    bool checked;
};

// Autodetect, the languages each in its own, a separator, Exit; exactly
// one of the language entries checked, after LanguageSetting.
std::vector<TrayMenuEntry> BuildTrayMenu();

struct TrayCommandResult {
    bool exit = false;
    int language = 0;  // the language to apply; 0 when there is none
};
// Carries out a chosen command: a language command sets LanguageSetting
// and writes the settings file, also when its entry was already checked.
TrayCommandResult OnTrayMenuCommand(int command);

// What a click on the tray icon does: the left button shows the window in
// every state; the right button opens the menu unless the context menu or
// a dialog from it is up.
enum class TrayClick { Nothing, ShowWindow, OpenMenu };
TrayClick trayClickAction(intptr_t mouseMessage, bool contextBusy);

}  // namespace lenscout
