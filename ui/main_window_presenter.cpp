#include "ui/main_window_presenter.h"

#include <string_view>

#include "app/string_table.h"
#include "app/text_fit.h"
#include "app/user_settings.h"
#include "discovery/discovery_worker.h"
#include "discovery/worker_control.h"
#include "ui/worker_settings.h"

namespace lenscout {

bool startDiscoveryWorker(WorkerThread& thread, MessageTarget* target) {
    return thread.start([target] { return DiscoveryThreadProc(target); });
}

std::string trayTipText(const char* title) {
    const std::string_view text(title);
    return std::string(text.substr(0, utf8Fit(text, kTrayTipSize - 1)));
}

MainWindowPresenter::MainWindowPresenter(MainWindowView& view, ListLines& lines, const CameraDialogs& dialogs,
                                         StartWorkerFn startWorker)
    : view_(view),
      lines_(lines),
      dialogs_(dialogs),
      startWorker_(startWorker ? std::move(startWorker) : startDiscoveryWorker),
      cameras_(lines) {}

MainWindowPresenter::~MainWindowPresenter() {
    if (!stopped_) stop();
}

bool MainWindowPresenter::start(MessageTarget* target) {
    if (!startWorker_(m_hWorkerThread, target)) {
        view_.showMessage(kTextThreadError);
        return false;
    }
    m_workerThreadId = m_hWorkerThread.id();
    settings_ = SettingValues::read();
    applyAllToWorker(m_workerThreadId, settings_);
    return true;
}

void MainWindowPresenter::OnCameraFound(std::unique_ptr<CameraInfo> record) {
    const int before = lines_.count();
    const bool listed = cameras_.OnCameraFound(std::move(record));
    if (lines_.count() != before) view_.listUpdated("found");
    if (!listed && !saidFull_) {
        saidFull_ = true;
        view_.showMessage(kTextTooManyDevices);
    }
}

void MainWindowPresenter::OnScanTick() {
    cameras_.OnScanTick();
    view_.listUpdated("tick");
}

void MainWindowPresenter::OnScanError(int32_t code) {
    switch (lenscout::OnScanError(code)) {
    case ScanErrorAction::SocketErrorThenQuit:
        view_.showMessage(kTextSocketError);
        view_.quitAfterThisMessage();
        break;
    case ScanErrorAction::IncorrectCredentials: showCredentialsMessage(); break;
    case ScanErrorAction::LinkUnknown: view_.showMessage(kTextLinkUnknown); break;
    case ScanErrorAction::None: break;
    }
}

// A box's own loop delivers the next code; while one is up, the repeats
// are merged into it.
void MainWindowPresenter::showCredentialsMessage() {
    if (credentialsBoxUp_) return;
    credentialsBoxUp_ = true;
    view_.showMessage(kTextIncorrectCredentials);
    credentialsBoxUp_ = false;
}

void MainWindowPresenter::OnDblclkCameraList() {
    CameraInfo camera;
    if (!selectedCamera(cameras_, lines_.selectedIndex(), &camera)) return;
    if (camera.conflict) view_.showMessage(kTextIdConflict);
    else
        runDoubleClickAction(camera, dialogs_, m_workerThreadId);
}

// Enter on a line does what a double-click does; Escape does nothing. Neither
// ends the program: Exit is in the tray menu and on the close box.
void MainWindowPresenter::OnKey(WindowKey key) {
    if (key == WindowKey::EnterOnList) OnDblclkCameraList();
}

// The tray menu stays shut from the copy of the record until the menu and
// its dialog are gone. A right double-click posts twice; the second waits
// for nothing.
void MainWindowPresenter::OnListRClick() {
    if (m_contextBusy == 1) return;
    CameraInfo selected;
    if (!selectedCamera(cameras_, lines_.selectedIndex(), &selected)) return;
    m_contextBusy = 1;
    // Two devices answer for it: which one a command would reach is unknown.
    if (!selected.conflict) runContextMenu(selected, dialogs_, m_workerThreadId);
    else if (dialogs_.contextMenu(contextMenuEntries(selected)) != 0)
        view_.showMessage(kTextIdConflict);
    m_contextBusy = 0;
}

void MainWindowPresenter::OnTrayNotify(TrayMouse mouse) {
    switch (trayClickAction(mouse, m_contextBusy == 1)) {
    case TrayClick::ShowWindow: view_.showWindow(); break;
    case TrayClick::OpenMenu: runTrayCommand(view_.runTrayMenu(BuildTrayMenu(settings_))); break;
    case TrayClick::Nothing: break;
    }
}

std::vector<TrayMenuEntry> MainWindowPresenter::trayMenuEntries() const {
    if (trayClickAction(TrayMouse::RightDown, m_contextBusy == 1) != TrayClick::OpenMenu) return {};
    return BuildTrayMenu(settings_);
}

void MainWindowPresenter::runTrayCommand(int command) {
    if (stopped_) return;
    const TrayCommandResult r = OnTrayMenuCommand(command);
    // Said once a run: the choice still applies, and a second box for the
    // same folder would only repeat it.
    if (r.notSaved && !saidNotSaved_) {
        saidNotSaved_ = true;
        view_.showMessage(kTextSettingsNotSaved);
    }
    if (r.exit) view_.quit();
    else if (r.language)
        ApplyLanguage(r.language);
    else if (r.setting) {
        settings_.set(*r.setting, r.value);
        applyToWorker(m_workerThreadId, *r.setting, r.value);
    }
}

void MainWindowPresenter::ApplyLanguage(int language) {
    SelectLanguage(language);
    postSearchNow(m_workerThreadId);
    const char* title = CurrentText(kTextTitle);
    view_.setTitle(title, trayTipText(title));
}

void MainWindowPresenter::stop() {
    stopped_ = true;
    cameras_.Clear();
    stopWorker(m_hWorkerThread);
    m_workerThreadId = kNoThread;
}

}  // namespace lenscout
