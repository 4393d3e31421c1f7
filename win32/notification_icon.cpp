#include <windows.h>

#include <shellapi.h>

#include "discovery/message_ids.h"
#include "ui/camera_line.h"
#include "win32/notification_icon.h"
#include "win32/popup_menu.h"
#include "win32/wide_text.h"

namespace lenscout {

namespace {

class ShellIcon : public NotificationIcon {
public:
    ~ShellIcon() override { remove(); }

    // Also after the taskbar started again or the density changed: an icon
    // the shell still holds is taken away first, and one it will not take
    // back is changed in place. Never waits: the window retries.
    bool add(HWND window, HICON icon, const std::wstring& tip) override {
        window_ = window;
        icon_ = icon;
        NOTIFYICONDATAW data = record(tip);
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = WM_TRAYNOTIFY;
        data.hIcon = icon;
        Shell_NotifyIconW(NIM_DELETE, &data);
        added_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE || Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
        return added_;
    }

    void modify(const std::wstring& tip) override {
        if (!added_) return;
        NOTIFYICONDATAW data = record(tip);
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = WM_TRAYNOTIFY;
        data.hIcon = icon_;
        Shell_NotifyIconW(NIM_MODIFY, &data);
    }

    void remove() override {
        if (!added_) return;
        NOTIFYICONDATAW data = record(L"");
        Shell_NotifyIconW(NIM_DELETE, &data);
        added_ = false;
    }

    int runMenu(HWND owner, const std::vector<TrayMenuEntry>& entries) override {
        MenuHandle menu = buildTrayMenu(entries);
        return trackAtCursor(owner, menu.get());
    }

private:
    NOTIFYICONDATAW record(const std::wstring& tip) const {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof data;
        data.hWnd = window_;
        data.uID = TRAY_ICON_ID;
        lstrcpynW(data.szTip, tip.c_str(), static_cast<int>(std::size(data.szTip)));
        return data;
    }

    HWND window_ = nullptr;
    HICON icon_ = nullptr;
    bool added_ = false;
};

}  // namespace

std::unique_ptr<NotificationIcon> makeShellIcon() { return std::make_unique<ShellIcon>(); }

}  // namespace lenscout
