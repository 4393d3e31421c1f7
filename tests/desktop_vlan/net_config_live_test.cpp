// The network configuration dialog confirmed in the real main window, with
// the real worker and simulated cameras on the virtual LAN.
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/desktop/camera_list_dlg.h"
#include "app/string_table.h"
#include "desktop/stand_ins.h"
#include "discovery/camera_text.h"
#include "discovery/discovery_messages.h"
#include "support/sim_process.h"
#include "ui/window/net_config_dlg.h"

using namespace lenscout;

namespace {

struct Entries {
    const char *ip, *mask, *gateway, *dns, *port, *user, *password;
};

// Runs the real dialog and fills it as a user would, then presses OK.
bool runDialog(CameraInfo& camera, const Entries& e, const MessageBoxFn& messageBox) {
    CNetConfigDlg dialog(messageBox);
    dialog.m_camera = camera;
    dialog.OnInitDialog();
    QTimer::singleShot(20, &dialog, [&] {
        auto set = [&](const char* name, const char* value) {
            dialog.findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromLatin1(value));
        };
        set("IDC_IP", e.ip);
        set("IDC_MASK", e.mask);
        set("IDC_GATEWAY", e.gateway);
        set("IDC_DNS", e.dns);
        set("IDC_PORT", e.port);
        set("IDC_USER", e.user);
        set("IDC_PASSWORD", e.password);
        dialog.findChild<QPushButton*>(QStringLiteral("IDOK"))->click();
    });
    if (dialog.exec() != QDialog::Accepted) return false;
    camera = dialog.m_camera;
    return true;
}

std::string hexOf(const PacketWriter& w) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (int i = 0; i < w.length(); ++i) {
        out += digits[w.data()[i] >> 4];
        out += digits[w.data()[i] & 15];
    }
    return out;
}

}  // namespace

class NetConfigLiveTest : public QObject {
    Q_OBJECT

    test::TrayRecord tray;
    std::vector<std::string> shown;
    Entries entries{};
    int menuChoice = 0;

    int rowOf(CCameraListDlg& window, const char* id) {
        const auto& cameras = window.cameraList().cameras();
        for (size_t i = 0; i < cameras.size(); ++i)
            if (fieldText(cameras[i].deviceId) == id) return static_cast<int>(i);
        return -1;
    }
    bool waitFor(const std::function<bool()>& done, int ms) {
        for (int i = 0; i < ms / 20 && !done(); ++i) QTest::qWait(20);
        return done();
    }

private slots:
    void aConfirmedConfigurationReachesTheCameraAndItsNewAddressShows() {
        SelectLanguage(kEnglish);
        test::SimProcess sim(1, {"--delay", "0", "--camera", "id=FAR,name=Far,ip=10.9.8.7,password=pw", "--camera",
                                 "id=LOCKED,name=Locked,ip=192.168.77.160,password=secret,authfail=5"});
        QVERIFY(sim.ok());
        WindowServices s;
        s.tray = std::make_unique<test::FakeTray>(&tray);
        s.messageBox = [this](QWidget*, const char* text) { shown.emplace_back(text); };
        s.dialogs.networkConfiguration = [this](CameraInfo& c) {
            return runDialog(c, entries, [this](QWidget*, const char* text) { shown.emplace_back(text); });
        };
        s.dialogs.contextMenu = [this](const std::vector<ContextMenuEntry>&) { return menuChoice; };
        CCameraListDlg window(std::move(s));
        QVERIFY(window.OnInitDialog());
        window.show();
        QVERIFY(waitFor([&] { return window.list()->count() == 2; }, 3000));

        // Another subnet: the double-click opens the dialog.
        entries = {"192.168.77.150", "255.255.255.0", "192.168.77.1", "192.168.77.2", "8081", "admin", "pw"};
        QListWidget* list = window.list();
        list->setCurrentRow(rowOf(window, "FAR"));
        emit list->itemDoubleClicked(list->currentItem());
        CameraInfo expected = window.cameraList().cameras()[static_cast<size_t>(rowOf(window, "FAR"))];
        setFieldText(expected.user, "admin");
        setFieldText(expected.password, "pw");
        parseIpv4("192.168.77.150", &expected.ip);
        parseIpv4("255.255.255.0", &expected.mask);
        parseIpv4("192.168.77.1", &expected.gateway);
        parseIpv4("192.168.77.2", &expected.dns);
        expected.httpPort = toNetPort(8081);
        PacketWriter request;
        buildSetNetworkRequest(request, expected);
        QVERIFY(sim.waitForLine({"bytes=84 cmd=2 hex=" + hexOf(request) + " outcome=applied"}, 2000));
        QVERIFY(waitFor([&] {
            const int row = rowOf(window, "FAR");
            return row >= 0 && list->item(row)->text().endsWith(QStringLiteral("Http://192.168.77.150:8081"));
        }, 4000));

        // Wrong credentials, from the context menu: the camera's code 5.
        entries = {"192.168.77.160", "255.255.255.0", "192.168.77.1", "192.168.77.1", "80", "admin", "nope"};
        list->setCurrentRow(rowOf(window, "LOCKED"));
        menuChoice = ID_CAMERA_NETWORK;
        QTest::mousePress(list->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(waitFor([&] { return !shown.empty(); }, 2000));
        QCOMPARE(shown, std::vector<std::string>{"Incorrect user or password !"});
        QVERIFY(sim.waitForLine({"outcome=bad-credentials", "id=LOCKED"}, 500));
        window.done(QDialog::Rejected);
    }
};

#include "net_config_live_test.moc"

int runNetConfigLiveTest(int argc, char** argv) {
    NetConfigLiveTest test;
    return QTest::qExec(&test, argc, argv);
}
