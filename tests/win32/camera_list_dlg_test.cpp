#include "win32/camera_list_dlg.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include "app/language_setting.h"
#include "app/string_table.h"
#include "discovery/message_ids.h"
#include "real_input.h"
#include "stand_ins.h"
#include "support/camera_records.h"
#include "support/stub_worker.h"
#include "win32/list_font.h"
#include "win32/popup_menu.h"
#include "win32/single_instance.h"
#include "win32/upload_guard.h"

namespace lenscout {
namespace {

// The name column is 25 bytes of GBK: a Chinese character takes two.
std::wstring padded(const std::wstring& name, size_t bytes = 0) {
    return name + std::wstring(25 - (bytes ? bytes : name.size()), L' ');
}

class Win32CameraList : public testing::Test {
protected:
    void SetUp() override {
        LanguageSetting = 0;
        SelectLanguage(kEnglish);
        WindowServices s;
        s.tray = std::make_unique<test::FakeTray>(&tray);
        s.startWorker = [this](WorkerThread& t, MessageTarget*) { return worker.start(t); };
        s.messageBox = [this](HWND, const char* text) { boxes.emplace_back(text); };
        s.dialogs.networkConfiguration = [this](const CameraInfo& c, CameraRequest*) {
            return opened("network", c), true;
        };
        s.dialogs.basicProperties = [this](const CameraInfo& c) { opened("properties", c); };
        s.dialogs.upgrade = [this](CameraInfo& c) { return opened("upgrade", c), true; };
        s.dialogs.openWebPage = [this](const std::string& url) { actions.push_back("browse " + url); };
        s.dialogs.contextMenu = [this](const std::vector<ContextMenuEntry>& entries) {
            busyDuringMenu = dlg->contextBusy();
            // The tray's right button while the context menu is up.
            PostMessageW(dlg->hwnd(), WM_TRAYNOTIFY, TRAY_ICON_ID, WM_RBUTTONDOWN);
            test::pump();
            menu = entries;
            return menuChoice;
        };
        dlg = std::make_unique<CCameraListDlg>(std::move(s));
        ASSERT_TRUE(dlg->create(nullptr));
    }
    void TearDown() override {
        dlg.reset();
        std::remove(settingsFilePath().c_str());
    }
    void opened(const char* what, const CameraInfo& c) {
        actions.push_back(std::string(what) + " " + std::string(fieldText(c.deviceId)));
    }
    void found(const CameraInfo& c) {
        PostMessageW(dlg->hwnd(), WM_CAMERA_FOUND, reinterpret_cast<WPARAM>(new CameraInfo(c)), 0);
        test::pump();
    }
    void tick() {
        PostMessageW(dlg->hwnd(), WM_SCAN_TICK, 0, 0);
        test::pump();
    }
    std::vector<std::wstring> lines() const {
        std::vector<std::wstring> out;
        const auto n = SendMessageW(dlg->list(), LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
            wchar_t line[256] = {};
            SendMessageW(dlg->list(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
            out.push_back(line);
        }
        return out;
    }
    int selected() const { return static_cast<int>(SendMessageW(dlg->list(), LB_GETCURSEL, 0, 0)); }
    void select(int line) { SendMessageW(dlg->list(), LB_SETCURSEL, static_cast<WPARAM>(line), 0); }

    test::TrayRecord tray;
    test::StubWorker worker;
    std::vector<std::string> boxes, actions;
    std::vector<ContextMenuEntry> menu;
    int menuChoice = 0;
    int busyDuringMenu = -1;
    std::unique_ptr<CCameraListDlg> dlg;
};

// A worker that did not start is said, and the list has the keyboard all
// the same: the window is no dead end for the keyboard's user.
TEST(Win32CameraListAlone, TheListHasTheFocusWhenTheWorkerDidNotStart) {
    SelectLanguage(kEnglish);
    test::TrayRecord tray;
    std::vector<std::string> boxes;
    WindowServices s;
    s.tray = std::make_unique<test::FakeTray>(&tray);
    s.startWorker = [](WorkerThread&, MessageTarget*) { return false; };
    s.messageBox = [&boxes](HWND, const char* text) { boxes.emplace_back(text); };
    CCameraListDlg dlg(std::move(s));
    ASSERT_TRUE(dlg.create(nullptr));
    EXPECT_EQ(boxes, std::vector<std::string>{"Thread Error !"});
    EXPECT_EQ(GetFocus(), dlg.list());
    test::bringForward(dlg.hwnd());
    EXPECT_TRUE(test::takesKeys(dlg.hwnd()));
    EXPECT_EQ(GetFocus(), dlg.list());
}

TEST_F(Win32CameraList, InitialisationSetsTitleTrayFontAndWorker) {
    EXPECT_EQ(test::text(dlg->hwnd()), L"Lenscout");
    EXPECT_TRUE(tray.added);
    EXPECT_EQ(tray.tip, L"Lenscout");
    EXPECT_NE(dlg->workerThreadId(), kNoThread);
    LOGFONTW font{};
    HFONT listFont = reinterpret_cast<HFONT>(SendMessageW(dlg->list(), WM_GETFONT, 0, 0));
    GetObjectW(listFont, sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -14);
    EXPECT_EQ(font.lfWeight, 600);
    // Fixed pitch: the status starts at one x after a name of W's or of i's.
    HDC dc = GetDC(dlg->list());
    HGDIOBJ before = SelectObject(dc, listFont);
    SIZE narrow{}, wide{};
    GetTextExtentPoint32W(dc, L"iiiiiiii", 8, &narrow);
    GetTextExtentPoint32W(dc, L"WWWWWWWW", 8, &wide);
    TEXTMETRICW metric{};
    GetTextMetricsW(dc, &metric);
    EXPECT_TRUE(metric.tmPitchAndFamily & TMPF_TRUETYPE) << "not a TrueType face";
    SelectObject(dc, before);
    ReleaseDC(dlg->list(), dc);
    EXPECT_EQ(narrow.cx, wide.cx) << "face " << std::string(listFontFace().begin(), listFontFace().end());
    // In the middle of its monitor's work area.
    RECT frame{};
    GetWindowRect(dlg->hwnd(), &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(dlg->hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor));
    EXPECT_NEAR((frame.left + frame.right) / 2, (monitor.rcWork.left + monitor.rcWork.right) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, (monitor.rcWork.top + monitor.rcWork.bottom) / 2, 1);
    dlg.reset();
    EXPECT_TRUE(tray.removed);
    EXPECT_GE(worker.quits, 1);
}

TEST_F(Win32CameraList, LinesFollowFoundTickAndChanges) {
    found(test::camera("A", "\xc7\xb0\xc3\xc5"));  // GBK for 前门
    found(test::camera("B", ""));
    CameraInfo remote = test::camera("C", "Far", "10.1.2.3");
    remote.sameSubnet = 0;
    found(remote);
    EXPECT_EQ(lines(), (std::vector<std::wstring>{padded(L"前门", 4) + L"Http://192.168.77.5",
                                                  padded(L"Anonymous") + L"Http://192.168.77.5",
                                                  padded(L"Far") + L"Subnet doesn't match, dbclick to change !"}));
    tick();
    // A new port shows at the next tick, not before.
    CameraInfo moved = test::camera("B", "", "192.168.77.5", 8080);
    found(moved);
    found(test::camera("A", "\xc7\xb0\xc3\xc5"));
    EXPECT_EQ(lines()[1], padded(L"Anonymous") + L"Http://192.168.77.5");
    tick();
    EXPECT_EQ(lines(), (std::vector<std::wstring>{padded(L"前门", 4) + L"Http://192.168.77.5",
                                                  padded(L"Anonymous") + L"Http://192.168.77.5:8080"}));
    tick();
    EXPECT_TRUE(lines().empty());
}

// A name that is not GBK shows as the system's code page 936 reads its
// bytes, as the list always showed it; the escape the command line prints
// never reaches the screen.
TEST_F(Win32CameraList, ANameThatIsNotGbkShowsAsCodePage936ReadsIt) {
    const char bytes[] = "\x80\xc7\xb0\xff";
    wchar_t read[8] = {};
    const int n = MultiByteToWideChar(936, 0, bytes, 4, read, 8);
    found(test::camera("A", bytes));
    EXPECT_EQ(lines().at(0).substr(0, static_cast<size_t>(n)), std::wstring(read, static_cast<size_t>(n)));
    EXPECT_EQ(lines().at(0).find(L"\\x"), std::wstring::npos);
}

// The selection never passes to another camera: when the selected line
// goes, nothing is selected; a line below it going keeps it.
TEST_F(Win32CameraList, SelectionStaysWithItsCameraOrGoes) {
    for (const char* id : {"A", "B", "C"}) found(test::camera(id, id));
    tick();
    select(0);
    found(test::camera("A", "A"));
    found(test::camera("B", "B"));
    tick();
    EXPECT_EQ(selected(), 0) << "a line below went";
    select(1);
    found(test::camera("A", "A"));
    tick();
    EXPECT_EQ(lines().size(), 1u);
    EXPECT_EQ(selected(), -1) << "its own line went";
    // A line above goes: the selection moves up with its camera, and the
    // menu still opens on it.
    for (const char* id : {"A", "B", "C"}) found(test::camera(id, id));
    tick();
    ASSERT_EQ(lines().size(), 3u);
    select(2);
    found(test::camera("B", "B"));
    found(test::camera("C", "C"));
    tick();
    ASSERT_EQ(lines().size(), 2u);
    EXPECT_EQ(selected(), 1);
    menuChoice = ID_CAMERA_PROPERTIES;
    SendMessageW(dlg->list(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    test::pump();
    EXPECT_EQ(actions, std::vector<std::string>{"properties C"});
}

// The keyboard reaches what the mouse does, pressed as a person presses
// it: Enter on a line is its double-click, Shift+F10 its menu. Neither
// Enter nor Escape ends the program; the close box does.
TEST_F(Win32CameraList, TheKeyboardActsAndNeverEndsTheProgram) {
    found(test::camera("A", "A"));
    test::bringForward(dlg->hwnd());
    ASSERT_TRUE(test::takesKeys(dlg->hwnd()));
    test::pressKey(VK_ESCAPE);
    test::pumpDialog(dlg->hwnd());
    EXPECT_FALSE(dlg->ended());
    test::pressKey(VK_DOWN);  // the first line
    test::pumpDialog(dlg->hwnd());
    EXPECT_EQ(selected(), 0);
    test::pressKey(VK_RETURN);
    test::pumpDialog(dlg->hwnd());
    EXPECT_FALSE(dlg->ended());
    EXPECT_EQ(actions, std::vector<std::string>{"browse http://192.168.77.5"});
    menuChoice = ID_CAMERA_PROPERTIES;
    test::pressKey(VK_F10, {VK_SHIFT});
    test::pumpDialog(dlg->hwnd());
    test::pump();
    EXPECT_EQ(actions.back(), "properties A");
    EXPECT_EQ(menu.size(), 3u);
    SendMessageW(dlg->hwnd(), WM_CLOSE, 0, 0);
    test::pump();
    EXPECT_TRUE(dlg->ended());
}

TEST_F(Win32CameraList, DoubleClickRunsWhatTheLineAnnounces) {
    CameraInfo remote = test::camera("FAR", "Far", "10.1.2.3");
    remote.sameSubnet = 0;
    CameraInfo noWeb = test::camera("NOWEB", "NoWeb");
    noWeb.webUiVersion = 0;
    for (const CameraInfo& c : {test::camera("WEB", "Web", "192.168.77.5", 8080), noWeb, remote}) found(c);
    test::bringForward(dlg->hwnd());
    for (int line : {0, 1, 2}) {
        test::clickAt(test::lineCentre(dlg->list(), line), 2);
        test::pumpDialog(dlg->hwnd());
    }
    EXPECT_EQ(actions, (std::vector<std::string>{"browse http://192.168.77.5:8080", "upgrade NOWEB", "network FAR"}));
    test::pump();
    EXPECT_TRUE(test::StubWorker::reaches(worker.searches, 1));
    EXPECT_EQ(worker.searches, 1);
}

TEST_F(Win32CameraList, ContextMenuActsOnTheSelectionAndKeepsTheTrayMenuShut) {
    found(test::camera("A", "A"));
    PostMessageW(dlg->hwnd(), WM_LIST_RCLICK, MK_RBUTTON, 0);
    test::pump();
    EXPECT_TRUE(menu.empty()) << "no selection, no menu";
    select(0);
    menuChoice = ID_CAMERA_PROPERTIES;
    // The list's own right-button press goes through the hook.
    SendMessageW(dlg->list(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    test::pump();
    EXPECT_EQ(menu.size(), 3u);
    EXPECT_EQ(busyDuringMenu, 1);
    EXPECT_EQ(tray.menusRun, 0);
    EXPECT_EQ(dlg->contextBusy(), 0);
    EXPECT_EQ(actions, std::vector<std::string>{"properties A"});
    EXPECT_EQ(selected(), 0);
}

std::wstring menuText(HMENU menu, int position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
    return text;
}

TEST(Win32Menus, ContextMenuGraysUpgradeOutsideTheSubnets) {
    SelectLanguage(kEnglish);
    CameraInfo camera = test::camera("A");
    for (int sameSubnet : {1, 0}) {
        camera.sameSubnet = static_cast<uint8_t>(sameSubnet);
        MenuHandle menu = buildContextMenu(contextMenuEntries(camera));
        ASSERT_EQ(GetMenuItemCount(menu.get()), 3);
        EXPECT_EQ(menuText(menu.get(), 0), L"Basic Properties");
        EXPECT_EQ(menuText(menu.get(), 1), L"Network Configuration");
        EXPECT_EQ(menuText(menu.get(), 2), L"Upgrade Firmware");
        EXPECT_EQ(GetMenuItemID(menu.get(), 2), static_cast<UINT>(ID_CAMERA_UPGRADE));
        EXPECT_EQ((GetMenuState(menu.get(), 2, MF_BYPOSITION) & MF_GRAYED) != 0, sameSubnet == 0);
        EXPECT_EQ(GetMenuState(menu.get(), 0, MF_BYPOSITION) & MF_GRAYED, 0u);
    }
}

TEST(Win32Menus, TrayMenuMarksTheSettingAndNamesEachLanguageInItself) {
    SelectLanguage(kSimplifiedChinese);
    for (int setting = 0; setting <= kLanguageCount; ++setting) {
        LanguageSetting = setting;
        MenuHandle menu = buildTrayMenu(BuildTrayMenu(SettingValues{}));
        ASSERT_EQ(GetMenuItemCount(menu.get()), 11);
        EXPECT_EQ(menuText(menu.get(), 0), L"自动检测语言");
        EXPECT_EQ(menuText(menu.get(), 1), L"English");
        EXPECT_EQ(menuText(menu.get(), 2), L"简体中文");
        EXPECT_EQ(menuText(menu.get(), 3), L"繁體中文");
        EXPECT_EQ(menuText(menu.get(), 4), L"Deutsch");
        EXPECT_TRUE(GetMenuState(menu.get(), 5, MF_BYPOSITION) & MF_SEPARATOR);
        EXPECT_EQ(menuText(menu.get(), 7), L"每 3 秒搜索一次");
        EXPECT_EQ(menuText(menu.get(), 10), L"退出");
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ((GetMenuState(menu.get(), static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) != 0, i == setting);
        // The period of 3 s is the one checked, as a radio item.
        for (UINT i = 6; i < 9; ++i) EXPECT_EQ((GetMenuState(menu.get(), i, MF_BYPOSITION) & MF_CHECKED) != 0, i == 7);
    }
    LanguageSetting = 0;
    SelectLanguage(kEnglish);
}

TEST_F(Win32CameraList, ALanguageFromTheTrayRewritesTitleTipAndLines) {
    CameraInfo remote = test::camera("C", "Far", "10.1.2.3");
    remote.sameSubnet = 0;
    found(remote);
    tray.nextChoice = ID_TRAY_TRADITIONAL;
    PostMessageW(dlg->hwnd(), WM_TRAYNOTIFY, TRAY_ICON_ID, WM_RBUTTONDOWN);
    test::pump();
    EXPECT_EQ(tray.menusRun, 1);
    EXPECT_EQ(LanguageSetting, 3);
    EXPECT_EQ(test::text(dlg->hwnd()), L"Lenscout");
    EXPECT_EQ(tray.tip, L"Lenscout");
    EXPECT_TRUE(test::StubWorker::reaches(worker.searches, 1));
    EXPECT_EQ(worker.searches, 1);
    found(remote);
    tick();
    EXPECT_EQ(lines(), std::vector<std::wstring>{padded(L"Far") + L"子網不匹配, 雙擊改變設置 !"});
    SelectLanguage(kEnglish);
}

TEST_F(Win32CameraList, ExitFromTheTrayEndsTheWindow) {
    tray.nextChoice = ID_TRAY_EXIT;
    PostMessageW(dlg->hwnd(), WM_TRAYNOTIFY, TRAY_ICON_ID, WM_RBUTTONDOWN);
    test::pump();
    EXPECT_TRUE(dlg->ended());
    EXPECT_EQ(dlg->result(), IDCANCEL);
}

// The minimise box's command, as the dialog manager and the taskbar send
// it, hides the window rather than leaving it on the taskbar; the icon's
// left button brings it back, not minimised.
TEST_F(Win32CameraList, MinimiseHidesToTheTrayAndTheIconBringsItBack) {
    ShowWindow(dlg->hwnd(), SW_SHOWNORMAL);
    SendMessageW(dlg->hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    test::pump();
    EXPECT_FALSE(IsWindowVisible(dlg->hwnd()));
    EXPECT_FALSE(IsIconic(dlg->hwnd()));
    PostMessageW(dlg->hwnd(), WM_TRAYNOTIFY, TRAY_ICON_ID, WM_LBUTTONDOWN);
    test::pump();
    EXPECT_TRUE(IsWindowVisible(dlg->hwnd()));
    EXPECT_FALSE(IsIconic(dlg->hwnd()));
}

// A technician who scrolled away from the selection stays where they are
// while lines change, the selected one included, and a line above goes.
TEST_F(Win32CameraList, TheListKeepsItsPlaceWhileLinesChange) {
    ShowWindow(dlg->hwnd(), SW_SHOWNORMAL);
    const auto sweep = [this](const std::string& selectedName, int skip) {
        for (int i = 0; i < 80; ++i)
            if (i != skip) found(test::camera(("C" + std::to_string(i)).c_str(), i == 2 ? selectedName.c_str() : "x"));
        tick();
    };
    sweep("Gate", -1);
    select(2);
    SendMessageW(dlg->list(), LB_SETTOPINDEX, 40, 0);
    sweep("Gate renamed", -1);
    EXPECT_EQ(SendMessageW(dlg->list(), LB_GETTOPINDEX, 0, 0), 40);
    EXPECT_EQ(selected(), 2);
    EXPECT_NE(lines()[2].find(L"Gate renamed"), std::wstring::npos);
    sweep("Gate renamed", 10);  // C10 went
    EXPECT_EQ(SendMessageW(dlg->list(), LB_GETTOPINDEX, 0, 0), 40);
    EXPECT_EQ(selected(), 2);
}

// A new taskbar (Explorer started again, a density change) gets the icon
// back: the window does not wait for a shell that is still starting, but
// tries again from a timer; once the icon is back, minimise hides again.
TEST_F(Win32CameraList, ANewTaskbarGetsTheIconBackWithoutWaiting) {
    ShowWindow(dlg->hwnd(), SW_SHOWNORMAL);
    tray.available = false;
    const DWORD start = GetTickCount();
    SendMessageW(dlg->hwnd(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_LT(GetTickCount() - start, 100u) << "the window's thread waited on the shell";
    EXPECT_FALSE(tray.added);
    tray.available = true;
    for (int i = 0; i < 50 && !tray.added; ++i) {
        Sleep(20);
        test::pump();
    }
    EXPECT_TRUE(tray.added);
    EXPECT_GE(tray.adds, 3);
    SendMessageW(dlg->hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(IsWindowVisible(dlg->hwnd()));
}

// A density change, as the system reports it, loads the window's icons and
// the tray's again, drawn for the new density, and puts the tray's back.
TEST_F(Win32CameraList, ADensityChangeLoadsTheIconsAgain) {
    const auto icon = [this](WPARAM which) {
        return reinterpret_cast<HICON>(SendMessageW(dlg->hwnd(), WM_GETICON, which, 0));
    };
    const HICON bigBefore = icon(ICON_BIG), smallBefore = icon(ICON_SMALL);
    const int addsBefore = tray.adds;
    RECT frame{};
    GetWindowRect(dlg->hwnd(), &frame);
    SendMessageW(dlg->hwnd(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&frame));
    test::pump();
    EXPECT_NE(icon(ICON_BIG), bigBefore);
    EXPECT_NE(icon(ICON_SMALL), smallBefore);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon(ICON_SMALL), &info)) << "the new icon is no icon";
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_GT(tray.adds, addsBefore);
    EXPECT_TRUE(tray.added);
}

// While an upload runs, Exit and the close box say why the program stays,
// and an installer finds the event that tells it to wait; afterwards they
// end the program.
TEST_F(Win32CameraList, ExitAndCloseWaitForARunningUpload) {
    {
        const UploadGuard upload(dlg->hwnd(), L"uploading");
        HANDLE seen = OpenEventW(SYNCHRONIZE, FALSE, kUploadingEvent);
        EXPECT_TRUE(seen) << "an installer would not know";
        if (seen) CloseHandle(seen);
        tray.nextChoice = ID_TRAY_EXIT;
        PostMessageW(dlg->hwnd(), WM_TRAYNOTIFY, TRAY_ICON_ID, WM_RBUTTONDOWN);
        PostMessageW(dlg->hwnd(), WM_CLOSE, 0, 0);
        test::pump();
        EXPECT_FALSE(dlg->ended());
        EXPECT_EQ(boxes, std::vector<std::string>(2, CurrentText(kTextUploadRunning)));
    }
    EXPECT_FALSE(OpenEventW(SYNCHRONIZE, FALSE, kUploadingEvent));
    PostMessageW(dlg->hwnd(), WM_CLOSE, 0, 0);
    test::pump();
    EXPECT_TRUE(dlg->ended());
}

TEST_F(Win32CameraList, IncorrectCredentialsAndSocketFailureAreShown) {
    PostMessageW(dlg->hwnd(), WM_SCAN_ERROR, codeParam(5), 0);
    PostMessageW(dlg->hwnd(), WM_SCAN_ERROR, codeParam(3), 0);
    test::pump();
    EXPECT_EQ(boxes, std::vector<std::string>{"Incorrect user or password !"});
    EXPECT_FALSE(dlg->ended());
    PostMessageW(dlg->hwnd(), WM_SCAN_ERROR, codeParam(kScanSocketFailure), 0);
    test::pump();
    EXPECT_EQ(boxes.back(), "Socket Error !");
    EXPECT_TRUE(dlg->ended());
}

// A claim that this user may not open is an elevated copy's: it counts as
// running, and says so, rather than a second Lenscout fighting it for the
// port. Here the claim is made with no rights for anyone, as an elevated
// token's default rights look to a normal one.
TEST(InstanceClaims, OneThatCannotBeOpenedIsAnElevatedCopys) {
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    BYTE user[256] = {};
    DWORD size = sizeof user;
    ASSERT_TRUE(GetTokenInformation(token, TokenUser, user, size, &size));
    CloseHandle(token);
    LPWSTR sid = nullptr;
    ASSERT_TRUE(ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user)->User.Sid, &sid));
    const std::wstring name = std::wstring(L"Local\\Lenscout.Running.") + sid;
    LocalFree(sid);
    {
        const InstanceClaim first;
        EXPECT_TRUE(first.first());
        const InstanceClaim second;
        EXPECT_FALSE(second.first());
        EXPECT_FALSE(second.runningElevated());
    }
    PSECURITY_DESCRIPTOR nobody = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:", SDDL_REVISION_1, &nobody, nullptr));
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nobody, FALSE};
    HANDLE elevated = CreateMutexW(&attributes, FALSE, name.c_str());
    LocalFree(nobody);
    ASSERT_TRUE(elevated);
    const InstanceClaim later;
    EXPECT_FALSE(later.first());
    EXPECT_TRUE(later.runningElevated());
    CloseHandle(elevated);
}

}  // namespace
}  // namespace lenscout
