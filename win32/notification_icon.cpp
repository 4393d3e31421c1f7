#include <windows.h>

#include <shellapi.h>

#include "discovery/message_ids.h"
#include "ui/camera_line.h"
#include "win32/notification_icon.h"
#include "win32/popup_menu.h"
#include "win32/wide_text.h"

namespace lenscout {

namespace {

constexpr int kAddAttempts = 5;
constexpr DWORD kAddRetryMs = 200;

class ShellIcon : public NotificationIcon {
public:
    ~ShellIcon() override { remove(); }

    bool add(HWND window, HICON icon, const std::wstring& tip) override {
        window_ = window;
        NOTIFYICONDATAW data = record(tip);
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = WM_TRAYNOTIFY;
        data.hIcon = icon;
        // NIM_ADD fails while Explorer is busy starting: tried again a few
        // times before the window goes without an icon.
        added_ = false;
        for (int attempt = 0; attempt < kAddAttempts && !added_; ++attempt) {
            if (attempt) Sleep(kAddRetryMs);
            added_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
        }
        icon_ = icon;
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
