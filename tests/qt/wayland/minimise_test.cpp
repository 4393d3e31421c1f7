// The main window on Qt's Wayland platform, in a compositor of the test's
// own (weston, started by e2e/wayland_e2e.sh, with a stand-in panel area on
// the session bus whose tool is $LENSCOUT_SNI_HOST): what the compositor
// does with a minimised window the program never learns.
#include <QApplication>
#include <QDBusInterface>
#include <QProcess>
#include <QTest>
#include <QWindow>

#include "qt/camera_list_dlg.h"
#include "stand_ins.h"

using namespace lenscout;

class WaylandWindowTest : public QObject {
    Q_OBJECT

    test::TrayRecord tray;
    test::StubWorker worker;

    std::unique_ptr<CCameraListDlg> open(bool realTray = false) {
        WindowServices s;
        if (!realTray) s.tray = std::make_unique<test::FakeTray>(&tray);
        s.startWorker = [this](WorkerThread& t, MessageTarget*) { return worker.start(t); };
        s.messageBox = [](QWidget*, const char*) {};
        auto dlg = std::make_unique<CCameraListDlg>(std::move(s));
        dlg->OnInitDialog();
        dlg->show();
        return dlg;
    }

private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland")); }

    // No tray: a minimised window could not be brought back, so it is
    // mapped again and stays on screen, not minimised.
    void withoutATrayMinimisingKeepsTheWindowOnScreen() {
        tray.available = false;
        auto dlg = open();
        QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
        dlg->showMinimized();
        QTRY_VERIFY(dlg->isVisible() && !(dlg->windowState() & Qt::WindowMinimized));
        // Qt itself cannot tell, but the compositor's frame callbacks can: a
        // window it keeps off screen gets none, and Qt then counts it as
        // not exposed. Each repaint asks for one.
        for (int i = 0; i < 10; ++i) {
            dlg->update();
            QTest::qWait(100);
        }
        QVERIFY2(dlg->windowHandle()->isExposed(), "the compositor keeps the window off screen");
    }

    // With a tray: minimising hides the window until the icon shows it.
    void withATrayMinimisingHidesToIt() {
        tray.available = true;
        auto dlg = open();
        QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
        dlg->showMinimized();
        QTRY_VERIFY(dlg->isHidden());
        dlg->showAndRaise();
        QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
        QVERIFY(!(dlg->windowState() & Qt::WindowMinimized));
    }

    // The real icon on the panel's area: minimised to it, and back by the
    // item's Activate, the panel's left click.
    void thePanelsLeftClickBringsTheWindowBack() {
        auto dlg = open(true);
        QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
        // Qt's tray talks over a connection of its own: the item is the one
        // the watcher lists.
        QString item;
        QTRY_VERIFY(!(item = registeredItem()).isEmpty());
        dlg->showMinimized();
        QTRY_VERIFY(dlg->isHidden());
        QProcess panel;
        panel.start(QString::fromLocal8Bit(qgetenv("LENSCOUT_SNI_HOST")), {QStringLiteral("activate"), item});
        QTRY_VERIFY(dlg->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
        QTRY_COMPARE(panel.state(), QProcess::NotRunning);
        QCOMPARE(panel.exitCode(), 0);
    }

private:
    static QString registeredItem() {
        QDBusInterface watcher(QStringLiteral("org.kde.StatusNotifierWatcher"),
                               QStringLiteral("/StatusNotifierWatcher"),
                               QStringLiteral("org.kde.StatusNotifierWatcher"));
        return watcher.property("RegisteredStatusNotifierItems").toStringList().value(0);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lenscout"));
    WaylandWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "minimise_test.moc"
