#pragma once
// Input as a person gives it: key presses through the system's input queue
// (SendInput), which reach whatever window has the focus, the way the
// keyboard does. A test that posts WM_COMMAND or calls a handler skips the
// dialog manager's keyboard rules; these do not.
#include <windows.h>

#include <initializer_list>
#include <string>

namespace lenscout::test {

// Whether `window` is in front and one of its controls has the keyboard:
// keys sent before that go nowhere, which a loaded machine shows.
inline bool takesKeys(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetForegroundWindow() == window && GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) &&
           info.hwndFocus && (info.hwndFocus == window || IsChild(window, info.hwndFocus));
}

// A top-level window of this thread or another, by its exact title, waited
// for up to `ms`, brought to the foreground and ready for keys.
inline HWND waitForWindow(const std::wstring& title, int ms = 5000) {
    HWND found = nullptr;
    for (int waited = 0; waited < ms; waited += 20) {
        if (!found) found = FindWindowW(nullptr, title.c_str());
        if (found && takesKeys(found)) return found;
        if (found) SetForegroundWindow(found);
        Sleep(20);
    }
    return nullptr;
}

inline void sendKey(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

// One key with its modifiers held, as pressed.
inline void pressKey(WORD vk, std::initializer_list<WORD> held = {}) {
    for (WORD m : held) sendKey(m, false);
    sendKey(vk, false);
    sendKey(vk, true);
    for (WORD m : held) sendKey(m, true);
    Sleep(30);
}

// Handles what is queued, keys through the dialog manager of `dialog`, as
// a modeless dialog's loop does.
inline void pumpDialog(HWND dialog) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (IsDialogMessageW(dialog, &m)) continue;
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

// Shown, in front and active, so that the keyboard reaches it; the
// window's own thread calls this, and handles what that brings.
inline void bringForward(HWND window) {
    ShowWindow(window, SW_SHOWNORMAL);
    for (int waited = 0; waited < 2000 && !takesKeys(window); waited += 20) {
        SetForegroundWindow(window);
        SetActiveWindow(window);
        pumpDialog(window);
        Sleep(20);
    }
}

// The mouse as a person moves and presses it: through the system's input
// queue, to whatever window is under it.
inline void mouseTo(POINT at) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

// `times` presses of a button at a point of the screen: 2 is a double-click.
inline void clickAt(POINT at, int times = 1, bool right = false) {
    mouseTo(at);
    Sleep(50);
    for (int i = 0; i < times; ++i) {
        INPUT press[2] = {};
        press[0].type = press[1].type = INPUT_MOUSE;
        press[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
        press[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
        SendInput(2, press, sizeof press[0]);
        Sleep(30);
    }
    Sleep(100);
}

// The middle of a window or control, on the screen.
inline POINT centreOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The middle of a list box's line, on the screen.
inline POINT lineCentre(HWND list, int line) {
    RECT r{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&r));
    POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(list, &at);
    return at;
}

// Text typed into the focused control, a character at a time.
inline void typeText(const std::wstring& text) {
    for (wchar_t c : text) {
        INPUT in[2] = {};
        for (INPUT& i : in) {
            i.type = INPUT_KEYBOARD;
            i.ki.wScan = c;
            i.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof in[0]);
    }
    Sleep(30);
}

}  // namespace lenscout::test
