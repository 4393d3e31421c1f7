#include "qt/upgrade_dlg.h"

#include <unistd.h>
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <QTimer>
#include "stand_ins.h"

#include <atomic>
#include <fstream>
#include <thread>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "platform/socket.h"
#include "support/loopback_camera.h"
#include "support/open_descriptors.h"

using namespace lenscout;

using test::LoopbackCamera;

class UpgradeDlgTest : public QObject {
    Q_OBJECT

    std::vector<std::string> shown;
    int filesAsked = 0;
    QString nextFile;
    std::function<void()> duringPick;  // what happens while the picker is up
    std::unique_ptr<CUpgradeDlg> dlg;
    std::string dir;

    QLineEdit* field(const char* name) { return dlg->findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QPushButton* button(const char* name) { return dlg->findChild<QPushButton*>(QString::fromLatin1(name)); }
    void typeInto(const char* name, const QString& text) { test::typeInto(field(name), text); }
    QString file(const char* name, const std::string& content) {
        const std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary) << content;
        return QString::fromStdString(path);
    }

private slots:
    void init() {
        SelectLanguage(kEnglish);
        shown.clear();
        filesAsked = 0;
        char tmp[] = "/tmp/lenscout-upgrade.XXXXXX";
        QVERIFY(mkdtemp(tmp));
        dir = tmp;
        dlg = std::make_unique<CUpgradeDlg>([this](QWidget*, const char* text) { shown.emplace_back(text); },
                                            [this](QWidget*) {
                                                ++filesAsked;
                                                if (duringPick) duringPick();
                                                return nextFile;
                                            });
        duringPick = nullptr;
        setFieldText(dlg->m_camera.name, "");
        setFieldText(dlg->m_camera.deviceId, "CAM1");
        parseIpv4("127.0.0.1", &dlg->m_camera.ip);
        dlg->m_camera.httpPort = toNetPort(1);  // nothing listens there
        dlg->OnInitDialog();
        dlg->show();
    }
    void cleanup() {
        dlg.reset();
        QVERIFY(system(("rm -rf " + dir).c_str()) == 0);
    }

    void opensWithAdminAndAnEmptyPassword() {
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Anonymous Upgrade Firmware"));
        QCOMPARE(field("IDC_USER")->text(), QStringLiteral("admin"));
        QVERIFY(field("IDC_PASSWORD")->text().isEmpty());
        QCOMPARE(button("IDC_UPGRADE_FIRMWARE")->text(), QStringLiteral("Upgrade System Firmware"));
        QCOMPARE(button("IDC_UPGRADE_WEBUI")->text(), QStringLiteral("Upgrade Web UI"));
        QCOMPARE(button("IDCANCEL")->text(), QStringLiteral("OK"));
        QVERIFY(dlg->findChild<QProgressBar*>(QStringLiteral("IDC_PROGRESS"))->isHidden());
    }

    void anEmptyUserAsksForNoFile() {
        field("IDC_USER")->clear();
        typeInto("IDC_PASSWORD", QStringLiteral("pw"));
        QTest::mouseClick(button("IDC_UPGRADE_WEBUI"), Qt::LeftButton);
        QCOMPARE(shown, std::vector<std::string>{"Incorrect user or password !"});
        QCOMPARE(filesAsked, 0);
    }

    void aCancelledFileShowsNothingAndALongUserIsCut() {
        typeInto("IDC_USER", QStringLiteral("administrator12"));
        nextFile.clear();
        QTest::mouseClick(button("IDC_UPGRADE_FIRMWARE"), Qt::LeftButton);
        QCOMPARE(filesAsked, 1);
        QVERIFY(shown.empty());
        QCOMPARE(field("IDC_USER")->text(), QStringLiteral("administrat"));
    }

    // Exit while the file picker is up (the main window closes its
    // dialogs): a file picked after that starts nothing.
    void aFilePickedAfterExitIsNotUploaded() {
        nextFile = file("late.bin", "BNEG" + std::string(5000, 'z'));
        duringPick = [this] { static_cast<QDialog*>(dlg.get())->reject(); };
        QTest::mouseClick(button("IDC_UPGRADE_FIRMWARE"), Qt::LeftButton);
        QCOMPARE(filesAsked, 1);
        QVERIFY(!dlg->isVisible());
        QVERIFY(shown.empty());  // a connection would have brought "Cannot connect the camera !"
    }

    void filesThatFailTheirCheckMakeNoConnection() {
        nextFile = QString::fromStdString(dir + "/missing.bin");
        QTest::mouseClick(button("IDC_UPGRADE_FIRMWARE"), Qt::LeftButton);
        nextFile = file("web.bin", "12345678UPGRADE APP_WARE FILE");
        QTest::mouseClick(button("IDC_UPGRADE_FIRMWARE"), Qt::LeftButton);
        nextFile = file("fw.bin", "BNEG but nothing at eight");
        QTest::mouseClick(button("IDC_UPGRADE_WEBUI"), Qt::LeftButton);
        // A connection would have brought "Cannot connect the camera !".
        QCOMPARE(shown, (std::vector<std::string>{"Cannot open the file !", "Error file of System Firmware !",
                                                  "Error file of Web UI !"}));
        QVERIFY(dlg->isVisible());
    }

    void aRefusedLoginKeepsTheDialogAndTheEntries() {
        LoopbackCamera camera("login-refused");
        camera.describe(&dlg->m_camera);
        typeInto("IDC_PASSWORD", QStringLiteral("pw"));
        nextFile = file("fw.bin", "BNEG firmware");
        const size_t sockets = test::openDescriptors("socket:");
        QTest::mouseClick(button("IDC_UPGRADE_FIRMWARE"), Qt::LeftButton);
        camera.summary();  // the camera's end of the connection is closed too
        QCOMPARE(test::openDescriptors("socket:"), sockets);
        QCOMPARE(test::openDescriptors(nextFile.toStdString()), size_t(0));
        QCOMPARE(shown, std::vector<std::string>{"Incorrect user or password !"});
        QVERIFY(dlg->isVisible());
        QCOMPARE(field("IDC_USER")->text(), QStringLiteral("admin"));
        QCOMPARE(field("IDC_PASSWORD")->text(), QStringLiteral("pw"));
        QVERIFY(!field("IDC_USER")->isHidden());
    }

    // The bar was up when the transfer failed: it goes, and the entries come
    // back with what was typed, ready for another try.
    void aFailedTransferBringsTheEntriesBack() {
        LoopbackCamera camera("reset-mid");
        camera.describe(&dlg->m_camera);
        typeInto("IDC_PASSWORD", QStringLiteral("pw"));
        nextFile = file("fw.bin", "BNEG" + std::string(4 << 20, 'x'));
        QTest::mouseClick(button("IDC_UPGRADE_FIRMWARE"), Qt::LeftButton);
        // The reset meets a send, or, when the kernel took every byte, the
        // wait for the camera's close: a failure either way.
        QCOMPARE(shown.size(), size_t(1));
        QVERIFY(shown[0] == "Socket Error !" || shown[0] == "The camera broke off the upload !");
        QVERIFY(dlg->isVisible());
        for (const char* name : {"IDC_USER", "IDC_PASSWORD", "IDC_LABEL_USER", "IDC_LABEL_PASSWORD"})
            QVERIFY2(!dlg->findChild<QWidget*>(QString::fromLatin1(name))->isHidden(), name);
        QVERIFY(dlg->findChild<QProgressBar*>(QStringLiteral("IDC_PROGRESS"))->isHidden());
        QCOMPARE(field("IDC_PASSWORD")->text(), QStringLiteral("pw"));
    }

    // The close button is the one default: Enter in either field closes
    // the dialog and starts no upload. The password has the focus, and Tab
    // goes from the user to it.
    void enterInAFieldUploadsNothingAndTabGoesFromUserToPassword() {
        dlg->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
        QCOMPARE(QApplication::focusWidget(), field("IDC_PASSWORD"));
        QTest::keyClick(field("IDC_PASSWORD"), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), field("IDC_USER"));
        QTest::keyClick(field("IDC_USER"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), field("IDC_PASSWORD"));
        nextFile = file("fw.bin", "BNEG" + std::string(5000, 'x'));
        QTest::keyClick(field("IDC_PASSWORD"), Qt::Key_Return);
        QCOMPARE(filesAsked, 0);
        QVERIFY(!dlg->isVisible());
        for (const char* name : {"IDC_UPGRADE_FIRMWARE", "IDC_UPGRADE_WEBUI"}) QVERIFY(!button(name)->isDefault());
    }

    void theFieldsAreNamedByTheirLabels() {
        QCOMPARE(QAccessible::queryAccessibleInterface(field("IDC_USER"))->text(QAccessible::Name),
                 QStringLiteral("User"));
        QCOMPARE(QAccessible::queryAccessibleInterface(field("IDC_PASSWORD"))->text(QAccessible::Name),
                 QStringLiteral("Password"));
        SelectLanguage(kTraditionalChinese);
        dlg->OnInitDialog();
        QCOMPARE(QAccessible::queryAccessibleInterface(field("IDC_PASSWORD"))->text(QAccessible::Name),
                 QString::fromUtf8("密碼"));
        SelectLanguage(kEnglish);
    }

    // The upload runs off the dialog's thread: a timer fires during it, the
    // bar moves, and Cancel, now so labelled and focused, stops it on Escape.
    // The camera keeps its image; the dialog stays, ready for another try.
    void cancelStopsARunningUploadAndTheDialogStays() {
        LoopbackCamera camera("trickle-512-50");
        camera.describe(&dlg->m_camera);
        typeInto("IDC_PASSWORD", QStringLiteral("pw"));
        nextFile = file("fw.bin", "BNEG" + std::string(16 << 20, 'x'));
        QString labelDuring;
        bool entriesDisabled = false;
        bool cancelFocused = false;
        QTimer::singleShot(800, dlg.get(), [&] {
            labelDuring = button("IDCANCEL")->text();
            entriesDisabled = !button("IDC_UPGRADE_WEBUI")->isEnabled() && !field("IDC_PASSWORD")->isEnabled();
            // Escape where the keyboard's focus is, as a person presses it.
            cancelFocused = QApplication::focusWidget() == button("IDCANCEL");
            if (QWidget* focus = QApplication::focusWidget()) QTest::keyClick(focus, Qt::Key_Escape);
        });
        QTest::mouseClick(button("IDC_UPGRADE_FIRMWARE"), Qt::LeftButton);
        QCOMPARE(labelDuring, QStringLiteral("Cancel"));
        QVERIFY(entriesDisabled);
        QVERIFY(cancelFocused);
        QCOMPARE(shown, std::vector<std::string>{"Upload cancelled, the camera keeps its old firmware !"});
        QVERIFY(dlg->isVisible());
        QCOMPARE(button("IDCANCEL")->text(), QStringLiteral("OK"));
        QVERIFY(button("IDC_UPGRADE_WEBUI")->isEnabled());
        QVERIFY(QString::fromStdString(camera.summary()).contains(QStringLiteral("outcome=incomplete")));
    }

    void aSuccessfulUploadClosesWithOk() {
        LoopbackCamera camera("ok");
        camera.describe(&dlg->m_camera);
        typeInto("IDC_PASSWORD", QStringLiteral("pw"));
        nextFile = file("fw.bin", "BNEG" + std::string(3000, 'x'));
        QTest::mouseClick(button("IDC_UPGRADE_FIRMWARE"), Qt::LeftButton);
        QVERIFY(shown.empty());
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QCOMPARE(dlg->findChild<QProgressBar*>(QStringLiteral("IDC_PROGRESS"))->value(), 100);
        QVERIFY(!field("IDC_USER")->isHidden());
        QVERIFY(QString::fromStdString(camera.summary()).contains(QStringLiteral("bytes=3004")));
    }
};

#include "upgrade_dlg_test.moc"

int runUpgradeDlgTest(int argc, char** argv) {
    UpgradeDlgTest test;
    return QTest::qExec(&test, argc, argv);
}
