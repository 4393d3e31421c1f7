#pragma once
// The main window (dialog 102): the live camera list, its tray icon, and
// the discovery worker it starts last and stops at shutdown. Its modal loop
// is the program's main loop.
#include <windows.h>

#include <functional>
#include <memory>

#include "discovery/message_target.h"
#include "ui/main_window_presenter.h"
#include "win32/list_box_lines.h"
#include "win32/message_box.h"
#include "win32/modal_dialog.h"
#include "win32/notification_icon.h"

namespace lenscout {

// The worker's notifications, posted to a window's queue.
class WindowTarget : public MessageTarget {
public:
    bool postMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    HWND window = nullptr;
};

using WindowServices = WindowServicesOf<MessageBoxFn, NotificationIcon>;

class CCameraListDlg : public ModalDialog, private MainWindowView {
public:
    explicit CCameraListDlg(WindowServices services = {});
    ~CCameraListDlg() override;

    ThreadId workerThreadId() const { return presenter_ ? presenter_->workerThreadId() : kNoThread; }
    const CameraList& cameraList() const { return presenter_->cameraList(); }
    HWND list() const { return item(1004); }
    NotificationIcon& tray() const { return *services_.tray; }
    // 1 while the list's context menu or a dialog opened from it is up.
    int contextBusy() const { return presenter_ ? presenter_->m_contextBusy : 0; }

protected:
    // Icons, title, tray icon, list font and hook, then the worker; false
    // when the worker could not be started (the window still works).
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(int id, int notification) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* out) override;

private:
    // The presenter's view of this window.
    void showMessage(int textRow) override;
    void setTitle(const std::string& title, const std::string& tip) override;
    void showWindow() override;
    int runTrayMenu(const std::vector<TrayMenuEntry>& entries) override;
    void quit() override { closeUnlessUploading(); }

    bool OnSysCommand(WPARAM command);
    void OnDestroy();
    // The window's and the tray's icons at the window's density, the tray's
    // put back; also after a density change and a new taskbar.
    void renewIcons();
    void addTrayIcon();
    void setListFont(UINT dpi);
    void finish(INT_PTR result);
    // Exit and the close box, refused with the reason while an upload runs.
    void closeUnlessUploading();

    WindowServices services_;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    HFONT listFont_ = nullptr;
    std::unique_ptr<ListBoxLines> lines_;
    std::unique_ptr<MainWindowPresenter> presenter_;
    WindowTarget target_;
    bool trayIconShown_ = false;
    int trayAttempts_ = 0;  // adds tried since the icon was last wanted
    bool menuFromKeyboard_ = false;
    bool destroyed_ = false;
};

}  // namespace lenscout
