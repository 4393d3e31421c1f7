#pragma once
// What a stand-in tray icon saw, for the window tests of both desktops: the
// tip is each toolkit's own text type.
#include <vector>

#include "app/tray_menu.h"

namespace lenscout::test {

template <class Text>
struct TrayRecordOf {
    bool available = true;  // whether the desktop has a notification area now
    int adds = 0;           // attempts to add the icon
    bool added = false;
    bool removed = false;
    Text tip;
    int modifies = 0;
    int menusRun = 0;
    std::vector<TrayMenuEntry> lastMenu;
    int nextChoice = 0;  // what the next menu returns
};

}  // namespace lenscout::test
