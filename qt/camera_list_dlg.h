#pragma once
// The main window: the live camera list, its tray icon, and the discovery
// worker it starts last and stops at shutdown. Its modal loop is the
// program's main loop.
#include <QDialog>
#include <QIcon>
#include <functional>
#include <memory>

#include "qt/camera_dialogs.h"
#include "qt/list_widget_lines.h"
#include "qt/message_box.h"
#include "qt/notification_area.h"
#include "qt/window_message.h"
#include "ui/main_window_presenter.h"

class QListWidget;

namespace Ui {
class CCameraListDlg;
}

class QTimer;

namespace lenscout {

class ListLog;

using WindowServices = WindowServicesOf<MessageBoxFn, NotificationArea>;

class CCameraListDlg : public QDialog, private MainWindowView {
public:
    explicit CCameraListDlg(WindowServices services = {});
    ~CCameraListDlg() override;

    // Icons, title, tray icon, list font and hook, then the worker; false
    // when the worker could not be started (the window still works).
    bool OnInitDialog();
    void OnTrayNotify(uintptr_t wParam, intptr_t lParam);
    void ApplyLanguage(int language) { presenter_.ApplyLanguage(language); }
    // Shows the window and runs the program's main loop until done(). Not
    // QDialog::exec, whose loop would also end when the window hides.
    int DoModal();
    // A second start asks for this: the window shown and in front. With the
    // start's activation token, a Wayland compositor gives it the focus.
    void showAndRaise(const QByteArray& activationToken = {});
    // Shrinks the window and its list to fit `free` (a screen's available
    // area) and moves it inside; at show time with its screen's area.
    void fitInto(const QRect& free);

    ThreadId workerThreadId() const { return presenter_.workerThreadId(); }
    const CameraList& cameraList() const { return presenter_.cameraList(); }
    QListWidget* list() const;
    bool workerRunning() const { return presenter_.workerRunning(); }
    static constexpr int kTrayRetryMs = 2000;
    // What a window manager's frame and title bar take, at most, around the window.
    static constexpr int kFrameAllowance = 16;
    static constexpr int kTitleAllowance = 48;

protected:
    bool event(QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

public:
    // Every way out (Escape, Enter, close box, Exit, a socket failure) ends here.
    void done(int result) override;

private:
    // The presenter's view of this window.
    void showMessage(int textRow) override;
    void setTitle(const std::string& title, const std::string& tip) override;
    void showWindow() override { showAndRaise(); }
    int runTrayMenu(const std::vector<TrayMenuEntry>& entries) override;
    void quit() override { done(QDialog::Rejected); }
    void quitAfterThisMessage() override;
    void listUpdated(const char* event) override;

    void OnDestroy();
    void closeCameraDialogs();
    void addTrayIcon();
    void OnTrayHostChange();
    void keepInsideScreen();

    std::unique_ptr<Ui::CCameraListDlg> ui_;
    WindowServices services_;
    QIcon m_hIcon;
    std::unique_ptr<ListWidgetLines> lines_;
    MainWindowPresenter presenter_;
    WindowTarget target_;
    std::unique_ptr<ListLog> log_;
    bool destroyed_ = false;

public:
    // 1 while the list's context menu or a dialog opened from it is up.
    int& m_contextBusy = presenter_.m_contextBusy;

private:
    bool trayIconShown_ = false;
    QTimer* trayRetry_ = nullptr;  // looks for a notification area that came late
};

}  // namespace lenscout
