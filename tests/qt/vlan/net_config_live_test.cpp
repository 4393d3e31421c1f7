// The network configuration dialog confirmed in the real main window, with
// the real worker and simulated cameras on the virtual LAN.
#include <fcntl.h>
#include <unistd.h>
#include <QCoreApplication>

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "discovery/discovery_messages.h"
#include "discovery/message_ids.h"
#include "qt/camera_list_dlg.h"
#include "qt/net_config_dlg.h"
#include "qt/stand_ins.h"
#include "qt/upgrade_dlg.h"
#include "support/sim_process.h"
#include "tools/common/hex.h"

using namespace lenscout;

// What a user types into the dialog: a field of the test class below, so
// outside the unnamed namespace.
struct Entries {
    const char *ip, *mask, *gateway, *dns, *port, *user, *password;
};

namespace {

// Runs the real dialog and fills it as a user would, then presses OK.
bool runDialog(const CameraInfo& camera, CameraRequest* request, const Entries& e, const MessageBoxFn& messageBox) {
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
    *request = dialog.m_request;
    return true;
}

// Everything the process prints goes to a file while this lives.
class OutputCapture {
public:
    explicit OutputCapture(const std::string& path)
        : out_(dup(1)), err_(dup(2)), file_(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600)) {
        dup2(file_, 1);
        dup2(file_, 2);
    }
    ~OutputCapture() {
        fflush(stdout);
        fflush(stderr);
        dup2(out_, 1);
        dup2(err_, 2);
        ::close(out_);
        ::close(err_);
        ::close(file_);
    }

private:
    int out_, err_, file_;
};

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
        s.dialogs.networkConfiguration = [this](const CameraInfo& c, CameraRequest* r) {
            return runDialog(c, r, entries, [this](QWidget*, const char* text) { shown.emplace_back(text); });
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
        // The request as the wire layout has it, written out by hand.
        // clang-format off
        const std::string request = "4d4f5f49" "0200" "00" "0000000000000000" "3d000000" "3d000000" "00000001"
                                    "464152" "00000000000000000000"        // FAR
                                    "61646d696e" "0000000000000000"        // admin
                                    "7077" "0000000000000000000000"        // pw
                                    "c0a84d96" "ffffff00" "c0a84d01" "c0a84d02" "1f91";
        // clang-format on
        QVERIFY(sim.waitForLine({"bytes=84 cmd=2 hex=" + request + " outcome=applied"}, 2000));
        QVERIFY(waitFor(
            [&] {
                const int row = rowOf(window, "FAR");
                return row >= 0 && list->item(row)->text().endsWith(QStringLiteral("Http://192.168.77.150:8081"));
            },
            4000));

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

    // An image uploaded through the dialog arrives whole, and the list
    // searches at once afterwards.
    void anUploadThroughTheDialogArrivesWholeAndTheListRefreshes() {
        SelectLanguage(kEnglish);
        shown.clear();
        const std::string dir = std::string(std::getenv("LENSCOUT_VLAN_DIR")) + "/received";
        QVERIFY(QDir().mkpath(QString::fromStdString(dir)));
        const std::string host = std::getenv("LENSCOUT_HOST_ADDR_1");
        test::SimProcess sim(1, {"--delay", "0", "--upload-dir", dir, "--camera",
                                 "id=NOWEB,name=Garage,webui=0,password=pw,port=8090,ip=" + host});
        QVERIFY(sim.ok());
        const std::string image = dir + "/../web-ui.bin";
        {
            std::ofstream out(image, std::ios::binary);
            out << "12345678UPGRADE APP_WARE FILE";
            for (int i = 0; i < 300000; ++i) out.put(static_cast<char>(i * 31));
        }
        WindowServices s;
        s.tray = std::make_unique<test::FakeTray>(&tray);
        s.messageBox = [this](QWidget*, const char* text) { shown.emplace_back(text); };
        const MessageBoxFn record = s.messageBox;
        s.dialogs.upgrade = [&](CameraInfo& c) {
            CUpgradeDlg dialog(record, [&](QWidget*) { return QString::fromStdString(image); });
            dialog.m_camera = c;
            dialog.OnInitDialog();
            QTimer::singleShot(20, &dialog, [&] {
                dialog.findChild<QLineEdit*>(QStringLiteral("IDC_PASSWORD"))->setText(QStringLiteral("pw"));
                dialog.findChild<QPushButton*>(QStringLiteral("IDC_UPGRADE_WEBUI"))->click();
            });
            return dialog.exec() == QDialog::Accepted;
        };
        CCameraListDlg window(std::move(s));
        QVERIFY(window.OnInitDialog());
        window.show();
        QVERIFY(waitFor([&] { return window.list()->count() == 1; }, 3000));
        // Start right after a periodic search, so that the next one is
        // nearly 3 s away: a search soon after the upload is its own.
        auto searches = [&] {
            int n = 0;
            for (const std::string& line : sim.logLines()) n += line.find(" cmd=0 ") != std::string::npos;
            return n;
        };
        const int before = searches();
        QVERIFY(waitFor([&] { return searches() > before; }, 3500));
        const int periodic = searches();
        window.list()->setCurrentRow(0);
        emit window.list()->itemDoubleClicked(window.list()->item(0));
        QVERIFY2(shown.empty(), shown.empty() ? "" : shown[0].c_str());
        QVERIFY(sim.waitForLine({"upload id=NOWEB outcome=received", "kind=13"}, 3000));
        std::ifstream sent(image, std::ios::binary), received(dir + "/NOWEB-webui.bin", std::ios::binary);
        const std::string a((std::istreambuf_iterator<char>(sent)), {}),
            b((std::istreambuf_iterator<char>(received)), {});
        QCOMPARE(b.size(), a.size());
        QVERIFY(a == b);
        QVERIFY(waitFor([&] { return searches() > periodic; }, 800));
        window.done(QDialog::Rejected);
    }

    // Neither the settings file nor anything the program writes or prints
    // holds a credential after a set-network and an upload.
    void noCredentialIsWrittenOrPrinted() {
        SelectLanguage(kEnglish);
        shown.clear();
        const std::string secret = "Secret-7731";
        const std::string work = std::string(std::getenv("LENSCOUT_VLAN_DIR")) + "/program";
        QVERIFY(QDir().mkpath(QString::fromStdString(work)));
        QVERIFY(chdir(work.c_str()) == 0);
        setenv("LENSCOUT_LIST_LOG", (work + "/list.log").c_str(), 1);
        setenv("XDG_CONFIG_HOME", work.c_str(), 1);
        {
            OutputCapture capture(work + "/output.txt");
            const std::string host = std::getenv("LENSCOUT_HOST_ADDR_1");
            test::SimProcess sim(1, {"--delay", "0", "--camera",
                                     "id=KEYS,name=Keys,webui=0,password=" + secret + ",port=8091,ip=" + host});
            QVERIFY(sim.ok());
            const std::string image = work + "/../fw.bin";
            std::ofstream(image, std::ios::binary) << "BNEG" << std::string(5000, 'z');
            WindowServices s;
            s.tray = std::make_unique<test::FakeTray>(&tray);
            const MessageBoxFn record = [this](QWidget*, const char* text) { shown.emplace_back(text); };
            s.messageBox = record;
            entries = {host.c_str(), "255.255.255.0", "192.168.77.1", "192.168.77.1", "8091", "admin", secret.c_str()};
            s.dialogs.networkConfiguration = [&](const CameraInfo& c, CameraRequest* r) {
                return runDialog(c, r, entries, record);
            };
            s.dialogs.upgrade = [&](CameraInfo& c) {
                CUpgradeDlg dialog(record, [&](QWidget*) { return QString::fromStdString(image); });
                dialog.m_camera = c;
                dialog.OnInitDialog();
                QTimer::singleShot(20, &dialog, [&] {
                    dialog.findChild<QLineEdit*>(QStringLiteral("IDC_PASSWORD"))
                        ->setText(QString::fromStdString(secret));
                    dialog.findChild<QPushButton*>(QStringLiteral("IDC_UPGRADE_FIRMWARE"))->click();
                });
                return dialog.exec() == QDialog::Accepted;
            };
            s.dialogs.contextMenu = [this](const std::vector<ContextMenuEntry>&) { return menuChoice; };
            CCameraListDlg window(std::move(s));
            QVERIFY(window.OnInitDialog());
            window.show();
            QVERIFY(waitFor([&] { return window.list()->count() == 1; }, 3000));
            window.list()->setCurrentRow(0);
            menuChoice = ID_CAMERA_NETWORK;
            QTest::mousePress(window.list()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
            QVERIFY(waitFor([&] { return sim.waitForLine({"outcome=applied", "id=KEYS"}, 0); }, 3000));
            emit window.list()->itemDoubleClicked(window.list()->item(0));
            QVERIFY(waitFor([&] { return sim.waitForLine({"upload id=KEYS outcome=received"}, 0); }, 3000));
            tray.nextChoice = ID_TRAY_ENGLISH;  // writes the settings file too
            postWindowMessage(&window, WM_TRAYNOTIFY, TRAY_ICON_ID, static_cast<intptr_t>(TrayMouse::RightDown));
            QVERIFY(waitFor([&] { return std::filesystem::exists(work + "/lenscout/lenscout.cfg"); }, 1000));
            window.done(QDialog::Rejected);
        }
        QVERIFY(shown.empty());
        for (const auto& entry : std::filesystem::recursive_directory_iterator(work)) {
            if (!entry.is_regular_file()) continue;
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string content((std::istreambuf_iterator<char>(in)), {});
            QVERIFY2(content.find(secret) == std::string::npos, entry.path().c_str());
        }
        QVERIFY(std::filesystem::exists(work + "/list.log"));
        QVERIFY(std::filesystem::exists(work + "/lenscout/lenscout.cfg"));
        unsetenv("LENSCOUT_LIST_LOG");
        unsetenv("XDG_CONFIG_HOME");
    }
};

#include "net_config_live_test.moc"

int runNetConfigLiveTest(int argc, char** argv) {
    NetConfigLiveTest test;
    return QTest::qExec(&test, argc, argv);
}
