#include <QActionGroup>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <map>

#include "discovery/message_ids.h"
#include "qt/notification_area.h"
#include "qt/tray_host_watch.h"
#include "qt/utf8_text.h"
#include "qt/window_message.h"
#include "ui/camera_line.h"

namespace lenscout {

namespace {

// Outside X11, Qt 6.4 decides once per process, at its first look, whether
// a tray exists: it is asked only once a D-Bus host is known to be there.
// On X11 it also finds the older embedding trays itself.
bool trayAvailable(bool* overDBus) {
    *overDBus = TrayHostWatch::hostPresent();
    if (*overDBus) return QSystemTrayIcon::isSystemTrayAvailable();
    return QGuiApplication::platformName() == QLatin1String("xcb") && QSystemTrayIcon::isSystemTrayAvailable();
}

class SystemTray : public NotificationArea {
public:
    explicit SystemTray(QObject* window) : window_(window) {
        QObject::connect(&hosts_, &TrayHostWatch::changed, window_, [this] { hostChanged(); });
    }

    bool add(const QIcon& icon, const QString& tip) override {
        if (!trayAvailable(&overDBus_)) return false;
        icon_ = std::make_unique<QSystemTrayIcon>(icon);
        icon_->setToolTip(tip);
        if (iconMenu_.entries) attachIconMenu();
        QObject::connect(icon_.get(), &QSystemTrayIcon::activated, window_,
                         [this](QSystemTrayIcon::ActivationReason r) {
                             if (r == QSystemTrayIcon::Trigger) notify(static_cast<intptr_t>(TrayMouse::LeftDown));
                             // With a menu of its own the icon shows it already.
                             if (r == QSystemTrayIcon::Context && !menu_)
                                 notify(static_cast<intptr_t>(TrayMouse::RightDown));
                         });
        icon_->show();
        return true;
    }
    void modify(const QString& tip) override {
        if (icon_) icon_->setToolTip(tip);
    }
    void remove() override {
        icon_.reset();
        menu_.reset();
    }
    bool shown() const override { return icon_ != nullptr; }

    int runMenu(const std::vector<TrayMenuEntry>& entries) override {
        QMenu menu;
        fillTrayMenu(&menu, entries);
        const QAction* chosen = menu.exec(QCursor::pos());
        return chosen ? chosen->data().toInt() : 0;
    }

private:
    // Built afresh each time it is about to show, so that its marks are
    // current; with no entries it closes at once.
    void attachIconMenu() {
        menu_ = std::make_unique<QMenu>();
        QMenu* menu = menu_.get();
        QObject::connect(menu, &QMenu::aboutToShow, menu, [this, menu] {
            const std::vector<TrayMenuEntry> entries = iconMenu_.entries();
            fillTrayMenu(menu, entries);
            if (entries.empty()) QMetaObject::invokeMethod(menu, &QMenu::close, Qt::QueuedConnection);
        });
        QObject::connect(menu, &QMenu::triggered, window_, [this](QAction* a) {
            const int command = a->data().toInt();
            // After the menu's own handling: the command may end the program.
            QMetaObject::invokeMethod(
                window_, [this, command] { iconMenu_.chosen(command); }, Qt::QueuedConnection);
        });
        icon_->setContextMenu(menu);
    }
    // A host that went takes the icon with it; the window is told either way.
    void hostChanged() {
        if (icon_ && overDBus_ && !TrayHostWatch::hostPresent()) remove();
        if (hostChanged_) hostChanged_();
    }
    void notify(int mouseMessage) { postWindowMessage(window_, WM_TRAYNOTIFY, TRAY_ICON_ID, mouseMessage); }

    QObject* window_;
    TrayHostWatch hosts_;
    bool overDBus_ = false;
    std::unique_ptr<QMenu> menu_;  // outlives the icon that shows it
    std::unique_ptr<QSystemTrayIcon> icon_;
};

}  // namespace

// Each group of choices (the languages, the search periods) is one
// exclusive group, shown as radio items to screen
// readers and keyboard users alike. What the menu held before goes, its
// group with it, so that a menu filled at every showing does not grow.
void fillTrayMenu(QMenu* menu, const std::vector<TrayMenuEntry>& entries) {
    menu->clear();
    qDeleteAll(menu->findChildren<QActionGroup*>(Qt::FindDirectChildrenOnly));
    std::map<TrayGroup, QActionGroup*> groups;
    for (const TrayMenuEntry& e : entries) {
        if (!e.text) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(qtText(e.text));
        action->setData(e.command);
        if (e.group == TrayGroup::None) continue;
        QActionGroup*& group = groups[e.group];
        if (!group) (group = new QActionGroup(menu))->setExclusive(true);
        action->setCheckable(true);
        action->setChecked(e.checked);
        group->addAction(action);
    }
}

std::unique_ptr<NotificationArea> makeSystemTray(QObject* window) { return std::make_unique<SystemTray>(window); }

}  // namespace lenscout
