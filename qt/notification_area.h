#pragma once
// The tray icon as the main window needs it: added once, its tip renewed,
// removed at shutdown, and a menu run at the cursor or attached to the icon.
// Clicks on the icon reach the window as WM_TRAYNOTIFY with the mouse
// message in lParam.
#include <QIcon>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "app/tray_menu.h"

class QMenu;
class QObject;
class QSystemTrayIcon;

namespace lenscout {

class NotificationArea {
public:
    virtual ~NotificationArea() = default;
    // False when the desktop has no notification area yet: the window then
    // runs without an icon and tries again now and then.
    virtual bool add(const QIcon& icon, const QString& tip) = 0;
    virtual void modify(const QString& tip) = 0;
    virtual void remove() = 0;
    // Runs the menu at the cursor until a choice or a dismissal; returns the
    // chosen command, 0 when dismissed.
    virtual int runMenu(const std::vector<TrayMenuEntry>& entries) = 0;
    // Whether the icon is up now.
    virtual bool shown() const = 0;

    // The icon's own menu, for areas that draw it themselves beside the icon
    // (a panel, over D-Bus): `entries` is asked each time it is about to
    // show (none: it stays shut), `chosen` gets the command picked.
    struct IconMenu {
        std::function<std::vector<TrayMenuEntry>()> entries;
        std::function<void(int command)> chosen;
    };
    void attachMenu(IconMenu menu) { iconMenu_ = std::move(menu); }
    // Called when a notification area comes or goes, where the desktop
    // tells: the icon may have gone with it, or may be added now.
    void watchHost(std::function<void()> changed) { hostChanged_ = std::move(changed); }

protected:
    IconMenu iconMenu_;
    std::function<void()> hostChanged_;
};

// The desktop's own notification area, through QSystemTrayIcon.
std::unique_ptr<NotificationArea> makeSystemTray(QObject* window);

// The tray menu's entries as the actions of `menu`, in place of what it
// held, each with its command as data.
void fillTrayMenu(QMenu* menu, const std::vector<TrayMenuEntry>& entries);

}  // namespace lenscout
