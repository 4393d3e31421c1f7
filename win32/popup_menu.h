#pragma once
// The pop-up menus of the tray icon and of the camera list: built anew from
// the core's entries each time, shown at the cursor, destroyed after use.
#include <windows.h>

#include <memory>
#include <type_traits>
#include <vector>

#include "app/tray_menu.h"
#include "ui/camera_actions.h"

namespace lenscout {

struct MenuDeleter {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using MenuHandle = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

MenuHandle buildTrayMenu(const std::vector<TrayMenuEntry>& entries);
MenuHandle buildContextMenu(const std::vector<ContextMenuEntry>& entries);

// Brings `owner` to the front (so that a click elsewhere closes the menu)
// and tracks the menu at the cursor: the chosen command, 0 when dismissed.
int trackAtCursor(HWND owner, HMENU menu);
// The same at a point of the screen.
int trackAt(HWND owner, HMENU menu, POINT at);
// Where the mouse is, on the screen.
POINT cursorPoint();
// Where a menu asked for from the keyboard opens: under the list box's
// selected line, or at its top when none is selected.
POINT selectedLinePoint(HWND list);

}  // namespace lenscout
