// The dialogs' rules behind their views, with a view in memory: what the
// fields show afterwards, which message comes, and what the record holds.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/string_table.h"
#include "app/string_texts.h"
#include "app/tray_menu.h"
#include "discovery/camera_text.h"
#include "discovery/worker_requests.h"
#include "platform/socket.h"
#include "support/camera_records.h"
#include "support/environment.h"
#include "ui/closing_order.h"
#include "ui/main_window_presenter.h"
#include "ui/memory_list_lines.h"
#include "ui/net_config_presenter.h"
#include "ui/upload_runner.h"

namespace lenscout {
namespace {

class MemoryFields : public DialogFields {
public:
    std::string text(DialogField f) const override {
        const auto it = texts.find(f);
        return it == texts.end() ? "" : it->second;
    }
    void setText(DialogField f, const std::string& gbk) override { texts[f] = gbk; }
    std::map<DialogField, std::string> texts;
};

class MemoryNetConfig : public NetConfigView {
public:
    DialogFields& fields() override { return fields_; }
    void showMessage(int textRow) override { messages.push_back(CurrentText(textRow)); }
    bool dhcpChecked() const override { return dhcp; }
    void enableAddresses(bool enabled) override { addressesEnabled = enabled; }

    MemoryFields fields_;
    std::vector<std::string> messages;
    bool dhcp = false;
    bool addressesEnabled = true;
};

class NetConfigPresenter : public testing::Test {
protected:
    void SetUp() override {
        SelectLanguage(kEnglish);
        camera = test::camera("N1", "Gate", "192.168.77.5", 8080);
        parseIpv4("192.168.77.1", &camera.gateway);
        parseIpv4("192.168.77.1", &camera.dns);
        fillNetworkFields(view, camera);
        view.fields_.texts[DialogField::User] = "admin";
        view.fields_.texts[DialogField::Password] = "secret";
    }
    std::string field(DialogField f) { return view.fields_.text(f); }
    MemoryNetConfig view;
    CameraInfo camera{};
};

TEST_F(NetConfigPresenter, FieldsShowTheCameraAndDhcpZerosThem) {
    EXPECT_EQ(field(DialogField::Ip), "192.168.77.5");
    EXPECT_EQ(field(DialogField::Port), "8080");
    view.dhcp = true;
    OnDhcpClicked(view, camera);
    EXPECT_FALSE(view.addressesEnabled);
    EXPECT_EQ(field(DialogField::Mask), "0.0.0.0");
    view.dhcp = false;
    OnDhcpClicked(view, camera);
    EXPECT_TRUE(view.addressesEnabled);
    EXPECT_EQ(field(DialogField::Mask), "255.255.255.0");
}

TEST_F(NetConfigPresenter, OkTakesTheSettingsInNetworkOrderAndTheCutCredentials) {
    view.fields_.texts[DialogField::Ip] = "192.168.77.9";
    view.fields_.texts[DialogField::Port] = "65616";  // its low 16 bits: 80
    view.fields_.texts[DialogField::User] = "administrator";
    CameraRequest request{};
    ASSERT_TRUE(acceptNetworkSettings(view, camera, request));
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(dottedQuad(request.network.ip), "192.168.77.9");
    EXPECT_EQ(toHostPort(request.network.httpPort), 80);
    EXPECT_EQ(field(DialogField::Port), "80") << "the field shows the value that counts";
    EXPECT_EQ(fieldText(request.credentials.user), "administrat");
    EXPECT_EQ(field(DialogField::User), "administrat");
    EXPECT_EQ(fieldText(request.credentials.password), "secret");
    // It goes to the camera where its reply came from.
    EXPECT_EQ(fieldText(request.target.deviceId), fieldText(camera.deviceId));
    EXPECT_EQ(request.target.sender, camera.sender);
}

TEST_F(NetConfigPresenter, ABadEntryOrNoUserGivesNoRequest) {
    CameraRequest request{};
    view.fields_.texts[DialogField::Mask] = "255.0.255.0";
    EXPECT_FALSE(acceptNetworkSettings(view, camera, request));
    EXPECT_EQ(request.network.mask, 0u) << "nothing stored for a bad entry";
    view.fields_.texts[DialogField::Mask] = "255.255.255.0";
    view.fields_.texts[DialogField::User] = "";
    EXPECT_FALSE(acceptNetworkSettings(view, camera, request));
    EXPECT_EQ(view.messages,
              (std::vector<std::string>{"The Subnet Mask setting is illegal !", "Incorrect user or password !"}));
    EXPECT_EQ(fieldText(request.credentials.password), "") << "no password is read without a user";
}

// The main window's presenter over a view in memory, with no worker: a
// message box runs `duringBox` as its own loop would deliver messages.
class MemoryMainWindow : public MainWindowView {
public:
    void showMessage(int textRow) override {
        messages.push_back(CurrentText(textRow));
        if (duringBox) duringBox();
    }
    void setTitle(const std::string&, const std::string&) override {}
    void showWindow() override {}
    int runTrayMenu(const std::vector<TrayMenuEntry>&) override { return trayChoice; }
    void quit() override {}

    std::vector<std::string> messages;
    std::function<void()> duringBox;
    int trayChoice = 0;
};

class MainWindow : public testing::Test {
protected:
    void SetUp() override {
        SelectLanguage(kEnglish);
        dialogs.networkConfiguration = [this](const CameraInfo&, CameraRequest*) {
            return opened.push_back("network"), false;
        };
        dialogs.basicProperties = [this](const CameraInfo&) { opened.push_back("properties"); };
        dialogs.upgrade = [this](CameraInfo&) { return opened.push_back("upgrade"), false; };
        dialogs.openWebPage = [this](const std::string&) { opened.push_back("web"); };
        dialogs.contextMenu = [this](const std::vector<ContextMenuEntry>&) { return menuChoice; };
    }
    // One camera listed and selected, as the worker reported it.
    void listOne(const CameraInfo& c) {
        presenter.OnCameraFound(test::heap(c));
        presenter.OnScanTick();
        lines.select(0);
    }

    MemoryMainWindow view;
    MemoryListLines lines;
    CameraDialogs dialogs;
    MainWindowPresenter presenter{view, lines, dialogs, [](WorkerThread&, MessageTarget*) { return true; }};
    std::vector<std::string> opened;
    int menuChoice = 0;
};

// Each forged or repeated refusal arrives while the box is up, inside its
// loop: one box takes them all, and a later refusal gets its own.
TEST_F(MainWindow, RefusalsWhileTheirBoxIsUpAreMergedIntoIt) {
    int delivered = 0;
    view.duringBox = [&] {
        for (; delivered < 50; ++delivered) presenter.OnScanError(5);
    };
    presenter.OnScanError(5);
    EXPECT_EQ(view.messages, std::vector<std::string>{"Incorrect user or password !"});
    view.duringBox = nullptr;
    presenter.OnScanError(1);
    EXPECT_EQ(view.messages.size(), 2u);
}

TEST_F(MainWindow, AnIdTwoDevicesAnswerWithIsShownAndNeverActedOn) {
    CameraInfo twin = test::camera("TWIN", "Twin");
    twin.conflict = 1;
    listOne(twin);
    EXPECT_NE(lines.lines()[0].find("Two devices answer with this ID !"), std::string::npos) << lines.lines()[0];
    presenter.OnDblclkCameraList();
    for (int command : {ID_CAMERA_PROPERTIES, ID_CAMERA_NETWORK, ID_CAMERA_UPGRADE}) {
        menuChoice = command;
        presenter.OnListRClick();
    }
    menuChoice = 0;
    presenter.OnListRClick();
    EXPECT_TRUE(opened.empty()) << opened[0];
    EXPECT_EQ(view.messages, std::vector<std::string>(4, "Two devices answer with this ID !"));
}

// Each command of the table opens its own dialog from the context menu; a
// grayed one that a menu returned anyway opens nothing.
TEST_F(MainWindow, EachCommandOfTheTableOpensItsDialog) {
    listOne(test::camera("CAM", "Gate"));
    const std::vector<std::string> expected = {"properties", "network", "upgrade"};
    ASSERT_EQ(cameraCommands().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        opened.clear();
        menuChoice = cameraCommands()[i].id;
        presenter.OnListRClick();
        EXPECT_EQ(opened, std::vector<std::string>{expected[i]}) << i;
    }
}

// A settings file that cannot be written is said once, and the choices
// still apply.
TEST_F(MainWindow, SettingsThatCannotBeSavedAreSaidOnce) {
    const std::string blocked = ::testing::TempDir() + "lenscout-blocked-settings";
    std::FILE* file = std::fopen(blocked.c_str(), "w");  // a file where the folder would go
    ASSERT_TRUE(file);
    std::fclose(file);
    const char* before = std::getenv(test::userSettingsVariable());
    const std::string saved = before ? before : "";
    test::setEnvironment(test::userSettingsVariable(), blocked.c_str());
    for (int choice : {ID_TRAY_TRADITIONAL, trayChoiceCommand(searchPeriodSetting(), 0), ID_TRAY_SIMPLIFIED}) {
        view.trayChoice = choice;
        presenter.OnTrayNotify(TrayMouse::RightDown);
    }
    test::setEnvironment(test::userSettingsVariable(), saved.c_str());
    std::remove(blocked.c_str());
    EXPECT_EQ(view.messages,
              std::vector<std::string>{"The settings could not be saved: they hold until Lenscout ends !"});
    EXPECT_STREQ(CurrentText(kTextExit), catalogText(kTextExit, kSimplifiedChinese));
    SelectLanguage(kEnglish);
}

TEST_F(MainWindow, MoreDevicesThanTheListHoldsAreSaidOnce) {
    for (size_t i = 0; i < kMaxListedCameras + 50; ++i)
        presenter.OnCameraFound(test::heap(test::camera("F" + std::to_string(i))));
    presenter.OnScanTick();
    EXPECT_EQ(lines.count(), static_cast<int>(kMaxListedCameras));
    EXPECT_EQ(view.messages, std::vector<std::string>{"More devices answer than can be listed !"});
}

}  // namespace
}  // namespace lenscout

namespace lenscout {
namespace {

// A window's loop in memory: it runs until quit(), and says when it runs.
class WaitingLoop {
public:
    void run() {
        std::unique_lock<std::mutex> lock(mutex_);
        running_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return quit_; });
    }
    void quit() {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
        quitFrom = std::this_thread::get_id();
        changed_.notify_all();
    }
    // From the session: whether the loop ran meanwhile, within a second.
    bool runsBeside() {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(1), [this] { return running_; });
    }
    std::thread::id quitFrom;

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool running_ = false, quit_ = false;
};

// Exit closes a message box over the file picker over a camera dialog in
// that order, each before its owner; a window outside the main window's
// chain, or in a cycle of owners, is left to its own.
TEST(ClosingOrder, DeepestFirstAndOnlyWhatTheMainWindowOwns) {
    const int main = 0, dialog = 1, picker = 2, box = 3, stray = 4, strayChild = 5, x = 6, y = 7, menu = 8;
    const auto w = [](const int& id) { return static_cast<const void*>(&id); };
    const std::vector<OpenWindow> open = {
        {w(stray), nullptr},    {w(box), w(picker)}, {w(dialog), w(main)},      {w(x), w(y)},      {w(y), w(x)},
        {w(picker), w(dialog)}, {w(main), nullptr},  {w(strayChild), w(stray)}, {w(menu), w(main)}};
    const std::vector<const void*> expected = {w(box), w(picker), w(dialog), w(menu)};
    EXPECT_EQ(closingOrder(open, w(main)), expected);
}

// A command that asks for the credentials alone: the dialog, titled with the
// command's row, then its message to the worker with a request to the
// camera where it was heard, carrying what was typed. Cancelled, nothing goes.
TEST(CredentialsRequest, GoesToTheWorkerWithWhatWasTyped) {
    CameraInfo camera = test::camera("CAM-7", "Yard");
    camera.arrivalIndex = 3;
    CameraDialogs dialogs;
    int titleRow = 0;
    bool accept = true;
    dialogs.credentials = [&](const CameraInfo& c, int row, Credentials* typed) {
        EXPECT_STREQ(c.deviceId, "CAM-7");
        titleRow = row;
        std::snprintf(typed->user, sizeof typed->user, "operator");
        std::snprintf(typed->password, sizeof typed->password, "s3cret");
        return accept;
    };
    const ThreadId worker = currentThreadId();
    runCredentialsRequest(camera, dialogs, worker, TM_SET_NETWORK, kTextUpgradeFirmware);
    EXPECT_EQ(titleRow, kTextUpgradeFirmware);
    ThreadMessage m;
    ASSERT_TRUE(peekThreadMessage(&m));
    ASSERT_EQ(m.message, TM_SET_NETWORK);
    const std::unique_ptr<CameraRequest> sent = takeRecord<CameraRequest>(m.wParam);
    EXPECT_STREQ(sent->target.deviceId, "CAM-7");
    EXPECT_EQ(sent->target.arrivalIndex, 3u);
    EXPECT_STREQ(sent->credentials.user, "operator");
    EXPECT_STREQ(sent->credentials.password, "s3cret");
    accept = false;
    runCredentialsRequest(camera, dialogs, worker, TM_SET_NETWORK, kTextUpgradeFirmware);
    EXPECT_FALSE(peekThreadMessage(&m));
}

// The session runs on a thread of its own while the window's loop runs, and
// its end ends the loop; its outcome comes back.
TEST(UploadRunner, TheSessionRunsBesideTheLoopWhichEndsWithIt) {
    for (const bool outcome : {true, false}) {
        WaitingLoop loop;
        bool beside = false;
        const BesideResult result = runBesideLoop([&] { loop.run(); }, [&] { loop.quit(); },
                                                  [&] {
                                                      beside = loop.runsBeside();
                                                      return outcome;
                                                  });
        EXPECT_TRUE(beside);
        EXPECT_EQ(result, outcome ? BesideResult::Succeeded : BesideResult::Failed);
        EXPECT_NE(loop.quitFrom, std::this_thread::get_id());
    }
}

}  // namespace
}  // namespace lenscout
