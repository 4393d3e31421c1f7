#pragma once
// The Win32 dialogs, browser and menu behind the main window's commands.
#include <windows.h>

#include <functional>

#include "ui/camera_commands.h"
#include "win32/message_box.h"

namespace lenscout {

// Fills what is still empty in `dialogs` with the real ones, owned by the
// window that `owner` gives when they open; the context menu opens where
// `menuPoint` says (the cursor, or the selected line from the keyboard).
void fillStandardDialogs(CameraDialogs& dialogs, const MessageBoxFn& messageBox, std::function<HWND()> owner,
                         std::function<POINT()> menuPoint);

// Hands the address to the user's browser, without waiting for it.
void openInBrowser(const std::string& url);

}  // namespace lenscout
