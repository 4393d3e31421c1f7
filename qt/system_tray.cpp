#include <QActionGroup>
#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>

#include "qt/gbk_text.h"
#include "qt/notification_area.h"
#include "qt/window_message.h"
#include "ui/camera_line.h"
#include "ui/window_messages.h"

namespace lenscout {

namespace {

class SystemTray : public NotificationArea {
public:
    explicit SystemTray(QObject* window) : window_(window) {}

    bool add(const QIcon& icon, const QString& tip) override {
        if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
        icon_ = std::make_unique<QSystemTrayIcon>(icon);
        icon_->setToolTip(tip);
        QObject::connect(icon_.get(), &QSystemTrayIcon::activated, window_,
                         [this](QSystemTrayIcon::ActivationReason r) {
                             if (r == QSystemTrayIcon::Trigger) notify(kTrayLeftButtonDown);
                             if (r == QSystemTrayIcon::Context) notify(kTrayRightButtonUp);
                         });
        icon_->show();
        return true;
    }
    void modify(const QString& tip) override {
        if (icon_) icon_->setToolTip(tip);
    }
    void remove() override { icon_.reset(); }

    int runMenu(const std::vector<TrayMenuEntry>& entries) override {
        QMenu menu;
        fillTrayMenu(&menu, entries);
        const QAction* chosen = menu.exec(QCursor::pos());
        return chosen ? chosen->data().toInt() : 0;
    }

private:
    void notify(int mouseMessage) { postWindowMessage(window_, WM_TRAYNOTIFY, TRAY_ICON_ID, mouseMessage); }

    QObject* window_;
    std::unique_ptr<QSystemTrayIcon> icon_;
};

}  // namespace

// The languages are one exclusive group, shown as radio items to screen
// readers and keyboard users alike.
void fillTrayMenu(QMenu* menu, const std::vector<TrayMenuEntry>& entries) {
    auto* languages = new QActionGroup(menu);
    languages->setExclusive(true);
    for (const TrayMenuEntry& e : entries) {
        if (!e.text) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(fromGbk(e.text));
        action->setData(e.command);
        if (!isLanguageCommand(e.command)) continue;
        action->setCheckable(true);
        action->setChecked(e.checked);
        languages->addAction(action);
    }
}

std::unique_ptr<NotificationArea> makeSystemTray(QObject* window) { return std::make_unique<SystemTray>(window); }

QString trayTip(const char* gbkTitle) {
    const std::string_view title(gbkTitle);
    return fromGbk(title.substr(0, gbkFit(title, kTrayTipSize - 1)));
}

}  // namespace lenscout
