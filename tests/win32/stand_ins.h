#pragma once
// Stand-ins around the Win32 windows under test: the tray icon, message
// boxes, and a pump for what the windows posted to themselves.
#include <windows.h>

#include <string>
#include <vector>

#include "support/tray_record.h"
#include "win32/notification_icon.h"

namespace lenscout::test {

using TrayRecord = TrayRecordOf<std::wstring>;

class FakeTray : public NotificationIcon {
public:
    explicit FakeTray(TrayRecord* record) : r_(record) {}
    bool add(HWND, HICON, const std::wstring& tip) override {
        ++r_->adds;
        r_->added = r_->available;
        r_->tip = tip;
        return r_->available;
    }
    void modify(const std::wstring& tip) override { r_->tip = tip; }
    void remove() override { r_->removed = true; }
    int runMenu(HWND, const std::vector<TrayMenuEntry>& entries) override {
        ++r_->menusRun;
        r_->lastMenu = entries;
        return r_->nextChoice;
    }

private:
    TrayRecord* r_;
};

// Handles everything already queued for this thread's windows.
inline void pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

inline std::wstring text(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return buffer;
}

inline std::wstring itemText(HWND dialog, int id) { return text(GetDlgItem(dialog, id)); }

}  // namespace lenscout::test
