#include "qt/camera_list_dlg.h"

#include <unistd.h>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <sstream>

#include "app/language_setting.h"
#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "discovery/message_ids.h"
#include "platform/socket.h"
#include "stand_ins.h"
#include "ui/camera_actions.h"

using namespace lenscout;

namespace {

CameraInfo* camera(const char* id, const char* name) {
    auto* c = new CameraInfo{};
    setFieldText(c->deviceId, id);
    setFieldText(c->name, name);
    parseIpv4("192.168.77.9", &c->ip);
    c->httpPort = toNetPort(80);
    c->webUiVersion = 1;
    c->sameSubnet = c->seen = 1;
    return c;
}

}  // namespace

class CameraListDlgTest : public QObject {
    Q_OBJECT

    test::TrayRecord tray;
    test::FakeTray* fakeTray = nullptr;
    test::StubWorker worker;
    test::MessageBoxes boxes;
    bool workerStarts = true;
    std::unique_ptr<CCameraListDlg> dlg;
    // What the camera dialogs were asked for, and how they answer.
    std::vector<std::string> opened;
    bool confirm = false;
    int menuChoice = 0;
    int busyDuringMenu = -1;
    std::vector<ContextMenuEntry> lastMenu;
    std::function<void()> modalDialog;      // set: the network dialog runs modally and calls this
    std::function<void()> contextMenuHook;  // runs while the context menu is up
    std::string workDir;

    void open() {
        WindowServices s;
        auto fake = std::make_unique<test::FakeTray>(&tray);
        fakeTray = fake.get();
        s.tray = std::move(fake);
        s.startWorker = [this](WorkerThread& t, MessageTarget*) { return workerStarts && worker.start(t); };
        s.messageBox = [this](QWidget*, const char* text) { boxes.shown.emplace_back(text); };
        s.dialogs.networkConfiguration = [this](const CameraInfo& c, CameraRequest*) {
            opened.push_back("network " + std::string(fieldText(c.deviceId)));
            if (modalDialog) {
                QDialog dialog(dlg.get());  // owned by the window, as every opener's
                QTimer::singleShot(0, &dialog, modalDialog);
                return dialog.exec() == QDialog::Accepted;
            }
            return confirm;
        };
        s.dialogs.basicProperties = [this](const CameraInfo& c) {
            opened.push_back("properties " + std::string(fieldText(c.deviceId)));
        };
        s.dialogs.upgrade = [this](CameraInfo& c) {
            opened.push_back("upgrade " + std::string(fieldText(c.deviceId)));
            return confirm;
        };
        s.dialogs.openWebPage = [this](const std::string& url) { opened.push_back("browse " + url); };
        s.dialogs.contextMenu = [this](const std::vector<ContextMenuEntry>& entries) {
            busyDuringMenu = dlg->m_contextBusy;
            if (contextMenuHook) contextMenuHook();
            lastMenu = entries;
            return menuChoice;
        };
        dlg = std::make_unique<CCameraListDlg>(std::move(s));
        dlg->OnInitDialog();
        dlg->show();
    }
    void post(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
        postWindowMessage(dlg.get(), message, wParam, lParam);
        QCoreApplication::processEvents();
    }
    QStringList lines() const {
        QStringList out;
        for (int i = 0; i < dlg->list()->count(); ++i) out << dlg->list()->item(i)->text();
        return out;
    }
    void waitUntil(const std::function<bool()>& done) { waitUntilMs(done, 5000); }
    void waitUntilMs(const std::function<bool()>& done, int ms) {
        for (int i = 0; i < ms / 10 && !done(); ++i) QTest::qWait(10);
    }
    void select(int row) {
        QListWidget* list = dlg->list();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
        QCOMPARE(list->selectedItems().size(), 1);
        QCOMPARE(list->row(list->selectedItems()[0]), row);
    }

    void listCameras() {
        CameraInfo* far = camera("FAR", "Far");
        far->sameSubnet = 0;
        CameraInfo* noWeb = camera("NOWEB", "NoWeb");
        noWeb->webUiVersion = 0;
        CameraInfo* alt = camera("ALT", "Alt");
        alt->httpPort = toNetPort(8080);
        for (CameraInfo* c : {camera("WEB", "Web"), alt, noWeb, far})
            post(WM_CAMERA_FOUND, reinterpret_cast<uintptr_t>(c));
    }
    void doubleClick(int row) {
        QListWidget* list = dlg->list();
        list->setCurrentRow(row);
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
    void rightClick() {
        QTest::mousePress(dlg->list()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        QCoreApplication::processEvents();
    }
    void waitForPosts(int setNetworks, int searches) {
        waitUntil([&] { return worker.setNetworks >= setNetworks && worker.searches >= searches; });
        QTest::qWait(30);
    }

private slots:
    void init() {
        opened.clear();
        modalDialog = nullptr;
        confirm = false;
        menuChoice = 0;
        busyDuringMenu = -1;
        lastMenu.clear();
        tray = {};
        worker.searches = worker.setNetworks = worker.quits = 0;
        boxes = {};
        workerStarts = true;
        LanguageSetting = 0;
        SelectLanguage(kEnglish);
        // The settings file goes to the user's folder: a fresh one each time.
        char dir[] = "/tmp/lenscout-desktop.XXXXXX";
        QVERIFY(mkdtemp(dir));
        workDir = dir;
        setenv("XDG_CONFIG_HOME", dir, 1);
    }
    void cleanup() {
        dlg.reset();
        std::remove(settingsFilePath().c_str());
        rmdir((workDir + "/lenscout").c_str());
        rmdir(workDir.c_str());
        unsetenv("XDG_CONFIG_HOME");
    }

    void initialisationSetsTitleTrayAndWorker() {
        open();
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Lenscout"));
        QVERIFY(tray.added);
        QCOMPARE(tray.tip, QStringLiteral("Lenscout"));
        QVERIFY(dlg->workerRunning());
        QCOMPARE(dlg->list()->font().pixelSize(), 14);
        QCOMPARE(dlg->list()->font().weight(), QFont::Weight(600));
    }

    void postedMessagesDriveTheList() {
        open();
        post(WM_CAMERA_FOUND, reinterpret_cast<uintptr_t>(camera("A", "\xc7\xb0\xc3\xc5")));
        post(WM_CAMERA_FOUND, reinterpret_cast<uintptr_t>(camera("B", "")));
        QCOMPARE(lines().size(), 2);
        QCOMPARE(lines()[0], QString::fromUtf8("前门") + QString(21, QLatin1Char(' ')) + "Http://192.168.77.9");
        QVERIFY(lines()[1].startsWith(QStringLiteral("Anonymous    ")));
        post(WM_SCAN_TICK);
        QCOMPARE(lines().size(), 2);
        post(WM_SCAN_TICK);
        QCOMPARE(lines().size(), 0);
    }

    void shutdownStopsTheWorkerAndRemovesTheIcon() {
        open();
        post(WM_CAMERA_FOUND, reinterpret_cast<uintptr_t>(camera("A", "A")));
        dlg->done(QDialog::Rejected);
        QVERIFY(!dlg->workerRunning());
        QVERIFY(worker.quits >= 1);
        QVERIFY(tray.removed);
        QCOMPARE(dlg->list()->count(), 0);
        QVERIFY(dlg->cameraList().cameras().empty());
    }

    // Enter on a line does what a double-click does; neither Enter nor
    // Escape ends the program, which the close box still does.
    void enterActsOnTheLineAndEscapeEndsNothing() {
        open();
        QTest::keyClick(dlg.get(), Qt::Key_Return);
        QTest::keyClick(dlg.get(), Qt::Key_Escape);
        QVERIFY(dlg->isVisible() && dlg->workerRunning());
        post(WM_CAMERA_FOUND, reinterpret_cast<uintptr_t>(camera("A", "")));
        post(WM_SCAN_TICK);
        dlg->list()->setCurrentRow(0);
        dlg->list()->setFocus();
        QTest::keyClick(dlg->list(), Qt::Key_Return);
        QCOMPARE(opened.size(), size_t{1});
        QCOMPARE(opened[0].rfind("browse ", 0), size_t{0});  // what a double-click does
        QVERIFY(dlg->isVisible());
        dlg->close();
        QCOMPARE(dlg->result(), int(QDialog::Rejected));
        QVERIFY(!dlg->workerRunning() && tray.removed);
    }

    void minimiseHidesAndTheTrayBringsItBack() {
        open();
        dlg->showMinimized();
        waitUntil([this] { return dlg->isHidden(); });
        QVERIFY(dlg->isHidden());
        post(WM_TRAYNOTIFY, TRAY_ICON_ID, static_cast<intptr_t>(TrayMouse::LeftDown));
        QVERIFY(dlg->isVisible());
        QVERIFY(!(dlg->windowState() & Qt::WindowMinimized));
    }

    void minimisingDoesNotEndTheMainLoop() {
        open();
        bool hiddenWhileRunning = false;
        QTimer::singleShot(0, dlg.get(), [this] { dlg->showMinimized(); });
        QTimer::singleShot(200, dlg.get(), [&] {
            hiddenWhileRunning = dlg->isHidden();
            dlg->done(QDialog::Rejected);
        });
        dlg->DoModal();
        QVERIFY(hiddenWhileRunning);
        QVERIFY(!dlg->workerRunning());
    }

    void trayMenuMarksTheSetting() {
        open();
        post(WM_TRAYNOTIFY, TRAY_ICON_ID, static_cast<intptr_t>(TrayMouse::RightDown));
        QCOMPARE(tray.menusRun, 1);
        QCOMPARE(int(tray.lastMenu.size()), 11);
        QCOMPARE(QString(tray.lastMenu[0].text), QStringLiteral("Autodetect Language"));
        QCOMPARE(qtText(tray.lastMenu[2].text), QString::fromUtf8("简体中文"));
        QCOMPARE(qtText(tray.lastMenu[3].text), QString::fromUtf8("繁體中文"));
        QVERIFY(tray.lastMenu[0].checked);
        QCOMPARE(qtText(tray.lastMenu[4].text), QStringLiteral("Deutsch"));
        for (int i = 1; i < 7; ++i) QVERIFY(!tray.lastMenu[i].checked);
        QVERIFY2(tray.lastMenu[7].checked, "3 s, the default period");
        QVERIFY(tray.lastMenu[5].text == nullptr);
        LanguageSetting = 3;
        post(WM_TRAYNOTIFY, TRAY_ICON_ID, static_cast<intptr_t>(TrayMouse::RightDown));
        QVERIFY(tray.lastMenu[3].checked && !tray.lastMenu[0].checked);
    }

    // The menu a panel draws beside the icon: built afresh with the current
    // mark each time, empty while the list's menu is up, and its commands
    // act as the menu at the cursor's do.
    void thePanelsMenuIsTheTrayMenu() {
        open();
        LanguageSetting = 3;
        std::vector<TrayMenuEntry> entries = fakeTray->panelOpensMenu();
        QCOMPARE(int(entries.size()), 11);
        QVERIFY(entries[3].checked && !entries[0].checked);
        dlg->m_contextBusy = 1;
        QVERIFY(fakeTray->panelOpensMenu().empty());
        dlg->m_contextBusy = 0;
        fakeTray->panelChooses(ID_TRAY_ENGLISH);
        QCOMPARE(LanguageSetting, 1);
        QVERIFY(fakeTray->panelOpensMenu()[1].checked);
        fakeTray->panelChooses(ID_TRAY_EXIT);
        QVERIFY(!dlg->workerRunning() && tray.removed);
    }

    // A notification area that goes away takes the icon: the hidden window
    // comes back, and the icon returns with the next area.
    void aTrayHostThatGoesAndComesBack() {
        open();
        dlg->showMinimized();
        waitUntil([this] { return dlg->isHidden(); });
        QVERIFY(dlg->isHidden());
        fakeTray->hostChanges(false);
        QVERIFY(dlg->isVisible());
        dlg->showMinimized();
        QCoreApplication::processEvents();
        QVERIFY2(!dlg->isHidden(), "without an icon, minimising does not hide");
        const int adds = tray.adds;
        fakeTray->hostChanges(true);
        QCOMPARE(tray.adds, adds + 1);
        QVERIFY(tray.added);
    }

    void choosingALanguageWritesSelectsSearchesAndRenews() {
        LanguageSetting = 3;
        SelectLanguage(kTraditionalChinese);
        open();
        post(WM_CAMERA_FOUND, reinterpret_cast<uintptr_t>(camera("A", "")));
        tray.nextChoice = ID_TRAY_ENGLISH;
        post(WM_TRAYNOTIFY, TRAY_ICON_ID, static_cast<intptr_t>(TrayMouse::RightDown));
        std::ifstream in(settingsFilePath(), std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        QCOMPARE(QString::fromStdString(content.str()), QStringLiteral("lang=1"));
        QCOMPARE(LanguageSetting, 1);
        QCOMPARE(QString(CurrentText(kTextAnonymous)), QStringLiteral("Anonymous"));
        waitUntil([this] { return worker.searches == 1; });
        QCOMPARE(worker.searches.load(), 1);
        QCOMPARE(tray.modifies, 1);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Lenscout"));
        QVERIFY2(!lines()[0].startsWith(QStringLiteral("Anonymous")), "the line waits for the sweep");
        post(WM_CAMERA_FOUND, reinterpret_cast<uintptr_t>(camera("A", "")));
        post(WM_SCAN_TICK);
        QVERIFY(lines()[0].startsWith(QStringLiteral("Anonymous")));
    }

    // The period reaches the worker at the start, and again when the user
    // picks another, which the file keeps beside the language and the
    // next start takes.
    void choosingASearchPeriodWritesItAndTellsTheWorker() {
        open();
        QVERIFY(test::StubWorker::reaches(worker.periodMs, 3000));
        tray.nextChoice = trayChoiceCommand(searchPeriodSetting(), 0);  // every second
        post(WM_TRAYNOTIFY, TRAY_ICON_ID, static_cast<intptr_t>(TrayMouse::RightDown));
        waitUntil([this] { return worker.periodMs == 1000; });
        QCOMPARE(worker.periodMs.load(), 1000);
        std::ifstream in(settingsFilePath(), std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        QCOMPARE(QString::fromStdString(content.str()), QStringLiteral("search_period=1"));
        tray.nextChoice = 0;
        post(WM_TRAYNOTIFY, TRAY_ICON_ID, static_cast<intptr_t>(TrayMouse::RightDown));
        for (size_t i = 6; i < 9; ++i) QCOMPARE(tray.lastMenu[i].checked, i == 6);
        QCOMPARE(readSetting(searchPeriodSetting()), 1);
    }

    void eachLanguageCommandWritesSelectsAndMarks() {
        const QByteArray saved = qgetenv("LC_ALL");
        qputenv("LC_ALL", "zh_TW.UTF-8");
        open();
        const struct {
            int command;
            const char* file;
            const char* user;
            int mark;
        } cases[] = {{ID_TRAY_SIMPLIFIED, "lang=2", "用户", 2},
                     {ID_TRAY_TRADITIONAL, "lang=3", "用戶", 3},
                     {ID_TRAY_AUTODETECT, "lang=0", "用戶", 0},  // the system's zh_TW
                     {ID_TRAY_ENGLISH, "lang=1", "User", 1}};
        for (const auto& c : cases) {
            tray.nextChoice = c.command;
            post(WM_TRAYNOTIFY, TRAY_ICON_ID, static_cast<intptr_t>(TrayMouse::RightDown));
            std::ifstream in(settingsFilePath(), std::ios::binary);
            std::stringstream content;
            content << in.rdbuf();
            QCOMPARE(QString::fromStdString(content.str()), QString::fromLatin1(c.file));
            QCOMPARE(qtText(CurrentText(kTextUser)), QString::fromUtf8(c.user));
            tray.nextChoice = 0;
            post(WM_TRAYNOTIFY, TRAY_ICON_ID, static_cast<intptr_t>(TrayMouse::RightDown));
            for (int i = 0; i < 4; ++i) QCOMPARE(tray.lastMenu[static_cast<size_t>(i)].checked, i == c.mark);
        }
        QCOMPARE(qtText(CurrentText(kTextExit)), QStringLiteral("Exit"));
        qputenv("LC_ALL", saved);
    }

    void aNormalStartWritesNoSettingsFile() {
        open();
        listCameras();
        post(WM_SCAN_TICK);
        dlg->done(QDialog::Rejected);
        QVERIFY(!std::ifstream(settingsFilePath()).good());
    }

    void dismissingTheMenuChangesNothing() {
        open();
        tray.nextChoice = 0;
        post(WM_TRAYNOTIFY, TRAY_ICON_ID, static_cast<intptr_t>(TrayMouse::RightDown));
        QVERIFY(!std::ifstream(settingsFilePath()).good());
        QCOMPARE(tray.modifies, 0);
        post(WM_TRAYNOTIFY, TRAY_ICON_ID, 512);  // a move
        QCOMPARE(tray.menusRun, 1);
    }

    void aBusyContextMenuKeepsTheTrayMenuShut() {
        open();
        dlg->m_contextBusy = 1;
        post(WM_TRAYNOTIFY, TRAY_ICON_ID, static_cast<intptr_t>(TrayMouse::RightDown));
        QCOMPARE(tray.menusRun, 0);
    }

    void exitFromTheTrayWhileHidden() {
        open();
        dlg->hide();
        tray.nextChoice = ID_TRAY_EXIT;
        post(WM_TRAYNOTIFY, TRAY_ICON_ID, static_cast<intptr_t>(TrayMouse::RightDown));
        QVERIFY(!dlg->workerRunning() && tray.removed);
    }

    void theWorkersSocketFailureEndsTheProgram() {
        open();
        post(WM_SCAN_ERROR, codeParam(2));
        post(WM_SCAN_ERROR, codeParam(5));
        QCOMPARE(boxes.shown, std::vector<std::string>{"Incorrect user or password !"});
        post(WM_SCAN_ERROR, codeParam(kScanSocketFailure));
        QCOMPARE(boxes.shown.back(), std::string("Socket Error !"));
        waitUntil([this] { return !dlg->workerRunning(); });
        QVERIFY(!dlg->workerRunning() && tray.removed);
    }

    void threadErrorLeavesAWorkingWindow() {
        workerStarts = false;
        open();
        QCOMPARE(boxes.shown, std::vector<std::string>{"Thread Error !"});
        QVERIFY(dlg->isVisible());
        post(WM_TRAYNOTIFY, TRAY_ICON_ID, static_cast<intptr_t>(TrayMouse::RightDown));
        QCOMPARE(tray.menusRun, 1);
        QElapsedTimer timer;
        timer.start();
        dlg->done(QDialog::Rejected);
        QVERIFY(timer.elapsed() < 100);
    }

    void doubleClickRunsWhatTheLineSays() {
        open();
        listCameras();
        doubleClick(0);
        doubleClick(1);
        doubleClick(2);
        doubleClick(3);
        QCOMPARE(opened, (std::vector<std::string>{"browse http://192.168.77.9", "browse http://192.168.77.9:8080",
                                                   "upgrade NOWEB", "network FAR"}));
        waitForPosts(0, 0);
        QCOMPARE(worker.setNetworks.load() + worker.searches.load(), 0);  // cancelled: nothing posted
    }

    void confirmedDialogsTellTheWorker() {
        open();
        listCameras();
        confirm = true;
        doubleClick(3);
        doubleClick(2);
        waitForPosts(1, 1);
        QCOMPARE(worker.setNetworks.load(), 1);
        QCOMPARE(worker.searches.load(), 1);
    }

    void noSelectionNoAction() {
        open();
        listCameras();
        dlg->list()->clearSelection();
        rightClick();
        QVERIFY(lastMenu.empty());
        QCOMPARE(dlg->m_contextBusy, 0);
    }

    void contextMenuKeepsTheTrayShutAndGraysUpgradeOutsideTheSubnet() {
        open();
        listCameras();
        dlg->list()->setCurrentRow(3);
        menuChoice = ID_CAMERA_PROPERTIES;
        rightClick();
        QCOMPARE(busyDuringMenu, 1);
        QCOMPARE(dlg->m_contextBusy, 0);
        QCOMPARE(int(lastMenu.size()), 3);
        QVERIFY(!lastMenu[2].enabled);
        QCOMPARE(opened, std::vector<std::string>{"properties FAR"});
        dlg->list()->setCurrentRow(0);
        menuChoice = ID_CAMERA_NETWORK;
        confirm = true;
        rightClick();
        QVERIFY(lastMenu[2].enabled);
        menuChoice = ID_CAMERA_UPGRADE;
        rightClick();
        QCOMPARE(opened, (std::vector<std::string>{"properties FAR", "network WEB", "upgrade WEB"}));
        waitForPosts(1, 1);
        QCOMPARE(worker.setNetworks.load(), 1);
        QCOMPARE(worker.searches.load(), 1);
    }

    void exitWhileADialogIsOpenEndsTheProgramAtOnce() {
        open();
        listCameras();
        tray.nextChoice = ID_TRAY_EXIT;
        modalDialog = [this] { post(WM_TRAYNOTIFY, TRAY_ICON_ID, static_cast<intptr_t>(TrayMouse::RightDown)); };
        bool ended = false;
        QTimer::singleShot(0, dlg.get(), [&] {
            doubleClick(3);  // returns once the dialog has gone
            ended = !dlg->workerRunning() && tray.removed;
        });
        QTimer::singleShot(3000, dlg.get(), [&] { dlg->done(QDialog::Rejected); });
        dlg->DoModal();
        QVERIFY(ended);
        QCOMPARE(worker.setNetworks.load(), 0);
    }

    // The selection stays on the camera the user chose: through a change of
    // its line, a language switch and a line above it going. When its own
    // camera goes, nothing is selected: Qt's single selection would move on
    // to a neighbour, a camera the user never chose.
    void theSelectionStaysOnItsCameraAndGoesWithIt() {
        open();
        const auto found = [this](std::initializer_list<const char*> ids, uint16_t port = 80, bool named = true) {
            for (const char* id : ids) {
                CameraInfo* c = camera(id, named ? id : "");
                c->httpPort = toNetPort(port);
                post(WM_CAMERA_FOUND, reinterpret_cast<uintptr_t>(c));
            }
        };
        const auto selectedRow = [this] {
            const QList<QListWidgetItem*> items = dlg->list()->selectedItems();
            return items.isEmpty() ? -1 : dlg->list()->row(items.first());
        };
        found({"A", "B", "C"});
        post(WM_SCAN_TICK);
        // A's line changes and the sweep rewrites it in place.
        select(0);
        found({"A"}, 8080);
        found({"B", "C"});
        post(WM_SCAN_TICK);
        QVERIFY(lines()[0].contains(QStringLiteral(":8080")));
        QCOMPARE(selectedRow(), 0);
        // The selected camera, the last, drops out.
        select(2);
        found({"A", "B"}, 8080);
        post(WM_SCAN_TICK);
        QCOMPARE(dlg->list()->count(), 2);
        QVERIFY(dlg->list()->selectedItems().isEmpty());
        menuChoice = ID_CAMERA_NETWORK;
        rightClick();
        QVERIFY2(lastMenu.empty(), "no menu for a camera nobody chose");
        // A language switch rewrites every line of a camera without a name.
        found({"A", "B"}, 8080, false);
        post(WM_SCAN_TICK);
        select(1);
        tray.nextChoice = ID_TRAY_SIMPLIFIED;
        post(WM_TRAYNOTIFY, TRAY_ICON_ID, static_cast<intptr_t>(TrayMouse::RightDown));
        found({"A", "B"}, 8080, false);
        post(WM_SCAN_TICK);
        QVERIFY(!lines()[0].startsWith("Anonymous"));
        QCOMPARE(selectedRow(), 1);
        // A line above the selected one goes: the choice moves up with B.
        const QString second = lines()[1];
        found({"B"}, 8080, false);
        post(WM_SCAN_TICK);
        QCOMPARE(dlg->list()->count(), 1);
        QCOMPARE(selectedRow(), 0);
        QCOMPARE(dlg->list()->selectedItems()[0]->text(), second);
    }

    // A right double-click posts twice: the second press arrives while the
    // first menu is up and must open nothing.
    void oneContextMenuAtATime() {
        open();
        listCameras();
        select(0);
        int menus = 0;
        contextMenuHook = [&] {
            ++menus;
            if (menus == 1) post(WM_LIST_RCLICK);  // handled inside the running menu
        };
        menuChoice = 0;
        rightClick();
        QCOMPARE(menus, 1);
        QCOMPARE(dlg->m_contextBusy, 0);
        contextMenuHook = nullptr;
    }

    // Keyboard users open the same menu with the Menu key or Shift+F10;
    // F10 alone does not.
    void theMenuKeyAndShiftF10OpenTheContextMenu() {
        open();
        listCameras();
        select(1);
        menuChoice = ID_CAMERA_PROPERTIES;
        QListWidget* list = dlg->list();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Menu);
        QCoreApplication::processEvents();
        QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
        QCoreApplication::processEvents();
        QTest::keyClick(list, Qt::Key_F10);
        QCoreApplication::processEvents();
        QCOMPARE(opened.size(), 2u);
        QCOMPARE(opened[0], opened[1]);
        QCOMPARE(opened[0].rfind("properties ", 0), 0u);
        QCOMPARE(list->currentRow(), 1);
    }

    void onlyTheLeftButtonSelectsAndDoubleClicks() {
        open();
        listCameras();
        QListWidget* list = dlg->list();
        list->clearSelection();
        const QPoint at = list->visualItemRect(list->item(1)).center();
        QTest::mouseClick(list->viewport(), Qt::MiddleButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::MiddleButton, {}, at);
        QVERIFY(list->selectedItems().isEmpty());
        QVERIFY(opened.empty());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(list->currentRow(), 1);
        QTest::mouseDClick(list->viewport(), Qt::RightButton, {}, at);
        QVERIFY(opened.empty());
    }

    void withoutANotificationAreaMinimisingMinimises() {
        tray.available = false;
        open();
        QVERIFY(!tray.added);
        dlg->showMinimized();
        QTest::qWait(100);
        QVERIFY2(!dlg->isHidden(), "the taskbar must still be able to bring it back");
        QVERIFY(dlg->windowState() & Qt::WindowMinimized);
        // The notification area appears later: the icon is added then, and
        // minimising hides again.
        tray.available = true;
        waitUntilMs([this] { return tray.added; }, 3 * CCameraListDlg::kTrayRetryMs);
        QVERIFY(tray.added);
        const int adds = tray.adds;
        dlg->showNormal();
        dlg->showMinimized();
        waitUntil([this] { return dlg->isHidden(); });
        QVERIFY(dlg->isHidden());
        QTest::qWait(CCameraListDlg::kTrayRetryMs + 200);
        QCOMPARE(tray.adds, adds);  // no more attempts once it is there
    }

    // Messages still queued behind an Exit are not handled: no message box,
    // no line added to the emptied list.
    void messagesQueuedBehindExitAreDropped() {
        open();
        tray.nextChoice = ID_TRAY_EXIT;
        postWindowMessage(dlg.get(), WM_TRAYNOTIFY, TRAY_ICON_ID, static_cast<intptr_t>(TrayMouse::RightDown));
        postWindowMessage(dlg.get(), WM_SCAN_ERROR, codeParam(5));
        postWindowMessage(dlg.get(), WM_CAMERA_FOUND, reinterpret_cast<uintptr_t>(camera("LATE", "Late")));
        postWindowMessage(dlg.get(), WM_SCAN_TICK);
        QCoreApplication::processEvents();
        QVERIFY(!dlg->workerRunning());
        QVERIFY(boxes.shown.empty());
        QCOMPARE(dlg->list()->count(), 0);
        QVERIFY(dlg->cameraList().cameras().empty());
    }

    // Maximise does nothing to the fixed window; on a screen too small for
    // it (a large scale factor) the window and its list shrink to fit.
    void theWindowNeitherMaximisesNorLeavesTheScreen() {
        open();
        const QSize normal = dlg->size();
        const QRect listBefore = dlg->list()->geometry();
        dlg->showMaximized();
        QCoreApplication::processEvents();
        QVERIFY(!(dlg->windowState() & Qt::WindowMaximized));
        QCOMPARE(dlg->size(), normal);
        const QRect small(0, 27, 683, 357);  // 1366x768 at scale 2, below a 27-pixel panel
        dlg->fitInto(small);
        QVERIFY(dlg->width() + 16 <= small.width() && dlg->height() + 48 <= small.height());
        QVERIFY(small.contains(dlg->geometry()));
        // The list keeps its margins inside the smaller window.
        const QRect list = dlg->list()->geometry();
        QCOMPARE(dlg->width() - list.right(), normal.width() - listBefore.right());
        QCOMPARE(dlg->height() - list.bottom(), normal.height() - listBefore.bottom());
    }

    void recordsOfUnhandledMessagesAreFreed() {
        open();
        postWindowMessage(dlg.get(), WM_CAMERA_FOUND, reinterpret_cast<uintptr_t>(camera("A", "A")));
        dlg.reset();  // the queued event goes with the window, and its record with it
        QCoreApplication::processEvents();
    }
};

#include "camera_list_dlg_test.moc"

int runCameraListDlgTest(int argc, char** argv) {
    CameraListDlgTest test;
    return QTest::qExec(&test, argc, argv);
}
