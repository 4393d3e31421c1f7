#pragma once
// The notification area as a D-Bus service (a StatusNotifierWatcher, as
// KDE, GNOME's tray extensions and Wayland panels run it): whether a host is
// there now, and word whenever one comes or goes.
#include <QObject>

namespace lenscout {

class TrayHostWatch : public QObject {
    Q_OBJECT
public:
    explicit TrayHostWatch(QObject* parent = nullptr);
    // Whether a watcher runs on the session bus with a host registered.
    static bool hostPresent();

signals:
    void changed();
};

}  // namespace lenscout
