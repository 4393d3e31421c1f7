#pragma once
// The main window's behaviour, for both desktops: the worker started last
// and stopped at shutdown, the camera list kept in step with it, the
// double-click and the context menu, the tray icon's clicks and menu, and
// the language. The window keeps its widgets and its toolkit's glue.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/tray_menu.h"
#include "app/user_settings.h"
#include "discovery/message_target.h"
#include "platform/worker_thread.h"
#include "ui/camera_commands.h"
#include "ui/camera_list.h"

namespace lenscout {

// The keys of the main window's own: Enter on the list, and Escape.
enum class WindowKey { EnterOnList, Escape };

class MainWindowView {
public:
    virtual ~MainWindowView() = default;
    virtual void showMessage(int textRow) = 0;
    // The window's title and the tray icon's tip, in the current language.
    virtual void setTitle(const std::string& title, const std::string& tip) = 0;
    // Shown, restored and in front.
    virtual void showWindow() = 0;
    // The tray menu at the cursor: the chosen command, 0 when dismissed.
    virtual int runTrayMenu(const std::vector<TrayMenuEntry>& entries) = 0;
    // Ends the main loop: at once, or once the message being handled is done.
    virtual void quit() = 0;
    virtual void quitAfterThisMessage() { quit(); }
    // The list has changed ("found", "tick"), for a window that logs it.
    virtual void listUpdated(const char* event) { (void)event; }
};

// Starts the worker thread that reports to `target`; false when no thread
// could be created.
using StartWorkerFn = std::function<bool(WorkerThread& thread, MessageTarget* target)>;
bool startDiscoveryWorker(WorkerThread& thread, MessageTarget* target);

// What a main window takes from its surroundings, each toolkit with its own
// message box and tray icon; tests put stand-ins here, and the window fills
// what is left empty with the real ones.
template <class MessageBoxFunction, class TrayIcon>
struct WindowServicesOf {
    StartWorkerFn startWorker;
    MessageBoxFunction messageBox;
    std::unique_ptr<TrayIcon> tray;
    CameraDialogs dialogs;
};

// The tip: the title cut to 63 bytes without splitting a character.
std::string trayTipText(const char* title);

class MainWindowPresenter {
public:
    MainWindowPresenter(MainWindowView& view, ListLines& lines, const CameraDialogs& dialogs,
                        StartWorkerFn startWorker);
    ~MainWindowPresenter();
    MainWindowPresenter(const MainWindowPresenter&) = delete;
    MainWindowPresenter& operator=(const MainWindowPresenter&) = delete;

    // The worker, started last by the window, since it posts at once; false
    // (with "Thread Error !") when it could not be started.
    bool start(MessageTarget* target);
    void OnCameraFound(std::unique_ptr<CameraInfo> record);
    void OnScanTick();
    void OnScanError(int32_t code);
    void OnDblclkCameraList();
    // A key the window itself would take (its default and cancel buttons).
    void OnKey(WindowKey key);
    void OnListRClick();
    void OnTrayNotify(TrayMouse mouse);
    void runTrayCommand(int command);
    // The menu a panel shows beside the icon: none, so that it stays shut,
    // while the list's context menu or its dialog is up.
    std::vector<TrayMenuEntry> trayMenuEntries() const;
    void ApplyLanguage(int language);
    // Store and list emptied, then the worker stopped: kQuitThread every 100 ms
    // until it has returned. Nothing is handled after it.
    void stop();

    ThreadId workerThreadId() const { return m_workerThreadId; }
    bool workerRunning() const { return m_workerThreadId != kNoThread && !m_hWorkerThread.finished(); }
    const CameraList& cameraList() const { return cameras_; }

    // 1 while the list's context menu or a dialog opened from it is up.
    int m_contextBusy = 0;

private:
    void showCredentialsMessage();

    MainWindowView& view_;
    ListLines& lines_;
    const CameraDialogs& dialogs_;
    StartWorkerFn startWorker_;
    CameraList cameras_;
    WorkerThread m_hWorkerThread;
    ThreadId m_workerThreadId = kNoThread;
    bool stopped_ = false;
    bool credentialsBoxUp_ = false;
    bool saidFull_ = false;      // that more devices answer than can be listed
    bool saidNotSaved_ = false;  // that the settings file could not be written
    SettingValues settings_;     // the choice settings of this run
};

}  // namespace lenscout
