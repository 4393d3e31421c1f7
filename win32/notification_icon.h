#pragma once
// The tray icon as the main window needs it: added once, its tip renewed,
// removed at shutdown, and its menu run at the cursor. Clicks on the icon
// reach the window as WM_TRAYNOTIFY with the mouse message in lParam.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/tray_menu.h"

namespace lenscout {

class NotificationIcon {
public:
    virtual ~NotificationIcon() = default;
    // Adds the icon, or puts it back with a new image; false when the shell
    // took none this time.
    virtual bool add(HWND window, HICON icon, const std::wstring& tip) = 0;
    virtual void modify(const std::wstring& tip) = 0;
    virtual void remove() = 0;
    // The chosen command, 0 when the menu was dismissed.
    virtual int runMenu(HWND owner, const std::vector<TrayMenuEntry>& entries) = 0;
};

// The shell's notification area, through Shell_NotifyIconW.
std::unique_ptr<NotificationIcon> makeShellIcon();

}  // namespace lenscout
