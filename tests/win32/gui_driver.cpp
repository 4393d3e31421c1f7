// Drives the running lenscout.exe from outside, as a user would, for the
// end-to-end test: finds its windows by title, reads the list's lines,
// selects, double-clicks, fills dialogs and presses their buttons. Each
// call does one thing and fails (exit 1) with a line on stderr.
//   lenscout_gui_driver COMMAND ARGS...
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "real_input.h"

namespace {

constexpr int kListId = 1004;
constexpr UINT kTrayNotify = WM_APP + 1;

std::wstring wide(const char* utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, w.data(), n);
    w.resize(static_cast<size_t>(n > 0 ? n - 1 : 0));
    return w;
}

std::string utf8(const std::wstring& w) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

// A wait in milliseconds, 5 s when not given.
int msArg(const char* text) {
    const int ms = std::atoi(text);
    return ms > 0 ? ms : 5000;
}

// A top-level window with exactly this title, waited for up to `ms`.
HWND findTitled(const char* title, int ms = 5000) {
    for (int waited = 0;; waited += 50) {
        if (HWND w = FindWindowW(nullptr, wide(title).c_str())) return w;
        if (waited >= ms) return nullptr;
        Sleep(50);
    }
}

HWND must(HWND w, const char* what) {
    if (!w) {
        std::fprintf(stderr, "driver: no %s\n", what);
        std::exit(1);
    }
    return w;
}

std::vector<std::wstring> lines(HWND list) {
    std::vector<std::wstring> out;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring line(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)) + 1, L'\0');
        const auto n = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line.data()));
        line.resize(static_cast<size_t>(n > 0 ? n : 0));
        out.push_back(line);
    }
    return out;
}

// The main window: the titled window that holds the camera list (a message
// box may have the same title).
HWND findMain(const char* title, int ms = 5000) {
    struct Search {
        std::wstring title;
        HWND found = nullptr;
    } search{wide(title)};
    for (int waited = 0;; waited += 50) {
        EnumWindows(
            [](HWND w, LPARAM p) {
                auto* s = reinterpret_cast<Search*>(p);
                wchar_t text[256] = {};
                GetWindowTextW(w, text, 256);
                if (s->title != text || !GetDlgItem(w, kListId)) return TRUE;
                s->found = w;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found || waited >= ms) return search.found;
        Sleep(50);
    }
}

// A message box's text is its static 0xFFFF, which some systems read back
// as -1.
// A group box may have the same number, so the static is looked for.
HWND messageText(HWND box) {
    for (int id : {0xFFFF, -1}) {
        HWND text = GetDlgItem(box, id);
        wchar_t kind[32] = {};
        if (text) GetClassNameW(text, kind, 32);
        if (lstrcmpiW(kind, L"Static") == 0) return text;
    }
    return nullptr;
}

HWND findMessageBox(int ms) {
    for (int waited = 0;; waited += 50) {
        HWND found = nullptr;
        EnumWindows(
            [](HWND w, LPARAM p) {
                if (!IsWindowVisible(w) || !messageText(w) || GetDlgItem(w, kListId)) return TRUE;
                *reinterpret_cast<HWND*>(p) = w;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        if (found || waited >= ms) return found;
        Sleep(50);
    }
}

// Where the window's caption has its minimise box, found as the mouse
// finds it: by hit-testing along the caption from the right.
bool minimiseBox(HWND window, POINT* at) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const int y = frame.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    for (int x = frame.right - 1; x > frame.left; --x) {
        if (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != HTMINBUTTON) continue;
        *at = {x - 3, y};
        return true;
    }
    return false;
}

HWND mainList(const char* title) { return must(GetDlgItem(must(findMain(title), "main window"), kListId), "list"); }

// The menu that a TrackPopupMenu shows: Wine and Windows both give it the
// class #32768.
HWND popupMenu(int ms = 5000) {
    for (int waited = 0; waited < ms; waited += 50) {
        HWND menu = FindWindowW(L"#32768", nullptr);
        if (menu && IsWindowVisible(menu)) return menu;
        Sleep(50);
    }
    return nullptr;
}

int run(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    auto arg = [&](int i) { return i < argc ? argv[i] : ""; };
    if (command == "lines") {
        for (const std::wstring& line : lines(mainList(arg(2)))) std::printf("%s\n", utf8(line).c_str());
        return 0;
    }
    if (command == "count") {
        std::printf("%d\n", static_cast<int>(SendMessageW(mainList(arg(2)), LB_GETCOUNT, 0, 0)));
        return 0;
    }
    // A click on the line, or a double-click; a line out of view is
    // scrolled to first, as a person scrolls.
    if (command == "select" || command == "dblclick") {
        HWND list = mainList(arg(2));
        const int line = std::atoi(arg(3));
        RECT r{}, view{};
        GetClientRect(list, &view);
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&r));
        if (r.top < 0 || r.bottom > view.bottom) SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(line), 0);
        SetForegroundWindow(GetParent(list));
        lenscout::test::clickAt(lenscout::test::lineCentre(list, line), command == "dblclick" ? 2 : 1);
        return 0;
    }
    // The minimise box of the main window, clicked.
    if (command == "minimise") {
        HWND w = must(findMain(arg(2)), "main window");
        POINT at{};
        if (!minimiseBox(w, &at)) return std::fprintf(stderr, "driver: no minimise box\n"), 1;
        SetForegroundWindow(w);
        lenscout::test::clickAt(at);
        return 0;
    }
    // What the taskbar sends when its button minimises the window.
    if (command == "shell-minimise") {
        PostMessageW(must(findMain(arg(2)), "main window"), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        return 0;
    }
    if (command == "iconic") return IsIconic(must(findMain(arg(2)), "main window")) ? 0 : 1;
    if (command == "selected") {
        std::printf("%d\n", static_cast<int>(SendMessageW(mainList(arg(2)), LB_GETCURSEL, 0, 0)));
        return 0;
    }
    // The right button on the list's first line.
    if (command == "rclick") {
        HWND list = mainList(arg(2));
        SetForegroundWindow(GetParent(list));
        lenscout::test::clickAt(lenscout::test::lineCentre(list, 0), 1, true);
        return 0;
    }
    if (command == "tray") {
        PostMessageW(must(findMain(arg(2)), "main window"), kTrayNotify, 128, std::atoi(arg(3)));
        return 0;
    }
    if (command == "wait-window") return findTitled(arg(2), msArg(arg(3))) ? 0 : 1;
    if (command == "gone") {
        for (int waited = 0; waited < (msArg(arg(3))); waited += 50) {
            if (!FindWindowW(nullptr, wide(arg(2)).c_str())) return 0;
            Sleep(50);
        }
        return 1;
    }
    if (command == "visible") return IsWindowVisible(must(findMain(arg(2)), "main window")) ? 0 : 1;
    if (command == "hide") return ShowWindow(must(findMain(arg(2)), "main window"), SW_HIDE), 0;
    // Wine's own notification area, shown while any program has an icon
    // in it and no tray host runs.
    if (command == "tray-shown") {
        HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
        return tray && IsWindowVisible(tray) ? 0 : 1;
    }
    // Holds the event a running upload holds, for `ms`, and says "holding"
    // once it does: an installer run meanwhile must wait.
    if (command == "uploading") {
        HANDLE event = CreateEventW(nullptr, TRUE, TRUE, L"Local\\Lenscout.Uploading");
        std::puts("holding");
        std::fflush(stdout);
        Sleep(static_cast<DWORD>(msArg(arg(2))));
        CloseHandle(event);
        return 0;
    }
    // What Explorer sends every window when it starts again.
    if (command == "taskbar-created") {
        PostMessageW(must(findMain(arg(2)), "main window"), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        return 0;
    }
    if (command == "running") return findMain(arg(2), 200) ? 0 : 1;
    // A window's children: id, class, title.
    if (command == "children") {
        EnumChildWindows(
            must(findTitled(arg(2)), "window"),
            [](HWND w, LPARAM) {
                wchar_t text[256] = {}, name[256] = {};
                GetWindowTextW(w, text, 256);
                GetClassNameW(w, name, 256);
                std::printf("%d %s %s\n", GetDlgCtrlID(w), utf8(name).c_str(), utf8(text).c_str());
                return TRUE;
            },
            0);
        return 0;
    }
    // Every top-level window: class, visibility, title.
    if (command == "windows") {
        EnumWindows(
            [](HWND w, LPARAM) {
                wchar_t text[256] = {}, name[256] = {};
                GetWindowTextW(w, text, 256);
                GetClassNameW(w, name, 256);
                std::printf("%s %d %s\n", utf8(name).c_str(), IsWindowVisible(w) ? 1 : 0, utf8(text).c_str());
                return TRUE;
            },
            0);
        return 0;
    }
    if (command == "text") {
        HWND dialog = must(findTitled(arg(2)), "dialog");
        SetDlgItemTextW(dialog, std::atoi(arg(3)), wide(arg(4)).c_str());
        return 0;
    }
    if (command == "address") {
        HWND field = must(GetDlgItem(must(findTitled(arg(2)), "dialog"), std::atoi(arg(3))), "address field");
        unsigned a = 0, b = 0, c = 0, d = 0;
        if (std::sscanf(arg(4), "%u.%u.%u.%u", &a, &b, &c, &d) != 4) return 1;
        SendMessageW(field, IPM_SETADDRESS, 0, static_cast<LPARAM>(MAKEIPADDRESS(a, b, c, d)));
        return 0;
    }
    // A button of a dialog, clicked with the mouse.
    if (command == "click") {
        HWND dialog = must(findTitled(arg(2)), "dialog");
        HWND button = must(GetDlgItem(dialog, std::atoi(arg(3))), "button");
        SetForegroundWindow(dialog);
        lenscout::test::clickAt(lenscout::test::centreOf(button));
        return 0;
    }
    if (command == "shown") {
        HWND control = must(GetDlgItem(must(findTitled(arg(2)), "dialog"), std::atoi(arg(3))), "control");
        return IsWindowVisible(control) ? 0 : 1;
    }
    if (command == "progress") {
        HWND bar = must(GetDlgItem(must(findTitled(arg(2)), "dialog"), std::atoi(arg(3))), "progress bar");
        std::printf("%d %d\n", static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0)),
                    IsHungAppWindow(GetParent(bar)) ? 1 : 0);
        return 0;
    }
    // The message box the program shows: its text, then OK.
    if (command == "message") {
        HWND box = must(findMessageBox(msArg(arg(2))), "message box");
        wchar_t text[512] = {};
        GetWindowTextW(messageText(box), text, 512);
        std::printf("%s\n", utf8(text).c_str());
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return 0;
    }
    // The file-open dialog: a path typed into its name field, then Open.
    if (command == "open-file") {
        HWND dialog = must(findTitled(arg(2)), "file dialog");
        // The name field is the dialog's one edit, inside its combo boxes.
        HWND name = nullptr;
        EnumChildWindows(
            dialog,
            [](HWND w, LPARAM found) {
                wchar_t kind[32] = {};
                GetClassNameW(w, kind, 32);
                if (lstrcmpiW(kind, L"Edit") != 0) return TRUE;
                *reinterpret_cast<HWND*>(found) = w;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&name));
        must(name, "file name field");
        SetWindowTextW(name, wide(arg(3)).c_str());
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return 0;
    }
    // Walks an open pop-up menu with the keyboard: each argument a key
    // (up, down, enter, escape).
    if (command == "menu-keys") {
        must(popupMenu(), "pop-up menu");
        for (int i = 2; i < argc; ++i) {
            const std::string key = argv[i];
            lenscout::test::pressKey(key == "up"      ? VK_UP
                                     : key == "down"  ? VK_DOWN
                                     : key == "enter" ? VK_RETURN
                                                      : VK_ESCAPE);
        }
        return 0;
    }
    // A window of another program with the given title, as File Explorer
    // showing the install folder has: stays until it is killed.
    if (command == "decoy") {
        CreateWindowExW(0, L"STATIC", wide(arg(2)).c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                        nullptr, GetModuleHandleW(nullptr), nullptr);
        for (MSG m; GetMessageW(&m, nullptr, 0, 0) > 0;) DispatchMessageW(&m);
        return 0;
    }
    // How many windows are Lenscout's main window, by its class.
    if (command == "instances") {
        int n = 0;
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"LenscoutMainWindow", nullptr)) != nullptr;) ++n;
        std::printf("%d\n", n);
        return 0;
    }
    // The keyboard's context menu on the main window's list: Shift+F10
    // pressed with the list focused.
    if (command == "menu-key") {
        SetForegroundWindow(must(findMain(arg(2)), "main window"));
        Sleep(100);
        lenscout::test::pressKey(VK_F10, {VK_SHIFT});
        return 0;
    }
    std::fprintf(stderr, "driver: unknown command '%s'\n", command.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) { return run(argc, argv); }
