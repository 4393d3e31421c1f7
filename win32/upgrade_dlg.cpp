#include "win32/upgrade_dlg.h"

#include <commctrl.h>
#include <commdlg.h>

#include "app/string_table.h"
#include "app/tray_menu.h"
#include "discovery/message_ids.h"
#include "platform/wide_text_win32.h"
#include "ui/camera_actions.h"
#include "win32/resource.h"
#include "win32/upload_guard.h"
#include "win32/wide_text.h"

namespace lenscout {

namespace {

// The session's observer on the upload's thread: everything goes to the
// dialog's queue, whose thread keeps painting meanwhile.
class PostingObserver : public UpgradeObserver {
public:
    explicit PostingObserver(HWND dialog) : dialog_(dialog) {}
    void onTransferStart() override { PostMessageW(dialog_, WM_UPLOAD_START, 0, 0); }
    void onProgress(int percent) override {
        if (percent == last_) return;
        last_ = percent;
        PostMessageW(dialog_, WM_UPLOAD_PROGRESS, static_cast<WPARAM>(percent), 0);
    }
    void onFailure(UploadFailure failure) override {
        PostMessageW(dialog_, WM_UPLOAD_FAILURE, static_cast<WPARAM>(failure), 0);
    }

private:
    HWND dialog_;
    int last_ = -1;
};

}  // namespace

std::string chooseImageFile(HWND owner) {
    wchar_t path[MAX_PATH * 4] = {};
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = L"Bin Files (*.bin)\0*.bin\0";
    request.lpstrFile = path;
    request.nMaxFile = static_cast<DWORD>(std::size(path));
    // NOCHANGEDIR: the working directory stays where it was, so that a USB
    // stick the image came from can be ejected afterwards.
    request.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&request)) return {};
    return narrow(CP_UTF8, path);
}

CUpgradeDlg::CUpgradeDlg(MessageBoxFn messageBox, ChooseFileFn chooseFile)
    : ModalDialog(IDD_UPGRADE), messageBox_(std::move(messageBox)), chooseFile_(std::move(chooseFile)) {}

BOOL CUpgradeDlg::OnInitDialog() {
    setWindowUtf8(hwnd(), cameraDialogTitle(m_camera, kTextUpgradeFirmware));
    setControlTexts(hwnd(), upgradeDialogTexts());
    setItemUtf8(hwnd(), IDC_UPGRADE_USER, kDefaultUser);
    SetDlgItemTextW(hwnd(), IDC_UPGRADE_PASSWORD, L"");
    SendDlgItemMessageW(hwnd(), IDC_PROGRESS, PBM_SETRANGE32, 0, 100);
    ShowWindow(item(IDC_PROGRESS), SW_HIDE);
    fields_.add(DialogField::User, item(IDC_UPGRADE_USER));
    fields_.add(DialogField::Password, item(IDC_UPGRADE_PASSWORD));
    // The user is offered; the password is what is typed first. Enter is the
    // close button's, never an upload's.
    SetFocus(item(IDC_UPGRADE_PASSWORD));
    return FALSE;
}

// Cancel, Esc and the close box stop a running upload, and close the
// dialog otherwise.
void CUpgradeDlg::OnCancel() {
    if (!flow_.cancel()) end(IDCANCEL);
}

bool CUpgradeDlg::OnCommand(int id, int notification) {
    if (notification != BN_CLICKED || uploadRunning()) return false;
    if (id == IDC_UPGRADE_FIRMWARE) OnUpgradeSystemFirmware();
    else if (id == IDC_UPGRADE_WEBUI)
        OnUpgradeWebUi();
    else
        return false;
    return true;
}

void CUpgradeDlg::showMessage(int textRow) { messageBox_(hwnd(), CurrentText(textRow)); }

// During an upload the button under the bar is Cancel, and nothing else
// takes input. The focus goes to Cancel before the entries go gray, so that
// Escape, Tab and Enter keep working, and comes back where it was.
void CUpgradeDlg::enableEntries(bool enabled) {
    if (!enabled) {
        focusBefore_ = GetFocus();
        SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(IDCANCEL)), TRUE);
    }
    for (int id : {IDC_UPGRADE_FIRMWARE, IDC_UPGRADE_WEBUI, IDC_UPGRADE_USER, IDC_UPGRADE_PASSWORD})
        EnableWindow(item(id), enabled);
    setItemRow(hwnd(), IDCANCEL, closeButtonRow(!enabled));
    if (enabled && IsWindow(focusBefore_) && IsChild(hwnd(), focusBefore_))
        SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focusBefore_), TRUE);
}

// The conversation runs on a thread of its own while this one goes on
// dispatching: the windows repaint and the bar moves, and Windows never
// marks the program "Not Responding". Only Cancel takes input meanwhile;
// the owner stays disabled as under any modal dialog, and the tray's menu
// waits.
UpgradeResult CUpgradeDlg::runSession(UpgradeKind kind, const ImageFile& image, const CameraInfo& camera,
                                      const Credentials& credentials, UpgradeObserver& observer, UploadCancel& cancel) {
    finished_ = false;
    failure_ = UploadFailure::WrongCamera;
    observer_ = &observer;
    enableEntries(false);
    const UploadGuard guard(hwnd(), wideFromUtf8(CurrentText(kTextUploadRunning)).c_str());
    PostingObserver posting(hwnd());
    bool quit = false;
    WPARAM quitCode = 0;
    const BesideResult result = runBesideLoop([&] { quit = !dispatchUntilFinished(&quitCode); },
                                              [dialog = hwnd()] { PostMessageW(dialog, WM_UPLOAD_DONE, 0, 0); },
                                              [&] {
                                                  return UpgradeSession::run(kind, image, camera, credentials, posting,
                                                                             {}, &cancel) == UpgradeResult::Success;
                                              });
    enableEntries(true);
    observer_ = nullptr;
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
    // The failure's box comes once the windows take input again.
    if (result == BesideResult::NoThread) showMessage(kTextThreadError);
    if (result == BesideResult::Failed) observer.onFailure(failure_);
    return result == BesideResult::Succeeded ? UpgradeResult::Success : UpgradeResult::Failure;
}

// Until the session's thread posts WM_UPLOAD_DONE; a WM_QUIT met meanwhile
// is posted again once the upload is over. The dialog's keys go through the
// dialog manager, as in any dialog's loop; the tray icon's menu, sent to the
// main window, waits.
bool CUpgradeDlg::dispatchUntilFinished(WPARAM* quitCode) {
    const HWND mainWindow = GetWindow(hwnd(), GW_OWNER);
    bool quit = false;
    MSG m;
    while (!finished_) {
        const BOOL got = GetMessageW(&m, nullptr, 0, 0);
        if (got == 0) quit = true, *quitCode = m.wParam;
        if (got <= 0) continue;
        if (m.hwnd && m.hwnd == mainWindow && m.message == WM_TRAYNOTIFY && m.lParam == WM_RBUTTONDOWN) continue;
        if (IsDialogMessageW(hwnd(), &m)) continue;
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return !quit;
}
bool CUpgradeDlg::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR* out) {
    if (message == WM_QUERYENDSESSION) return answerQueryEndSession(hwnd(), uploadRunning(), out);
    switch (message) {
    case WM_UPLOAD_START:
        if (observer_) observer_->onTransferStart();
        break;
    case WM_UPLOAD_PROGRESS:
        if (observer_) observer_->onProgress(static_cast<int>(wParam));
        break;
    case WM_UPLOAD_FAILURE: failure_ = static_cast<UploadFailure>(wParam); break;
    case WM_UPLOAD_DONE: finished_ = true; break;
    default: return false;
    }
    *out = TRUE;
    return true;
}

void CUpgradeDlg::showCredentials(bool shown) {
    for (int id : {IDC_UPGRADE_LABEL_USER, IDC_UPGRADE_USER, IDC_UPGRADE_LABEL_PASSWORD, IDC_UPGRADE_PASSWORD})
        ShowWindow(item(id), shown ? SW_SHOW : SW_HIDE);
    ShowWindow(item(IDC_PROGRESS), shown ? SW_HIDE : SW_SHOW);
}

void CUpgradeDlg::showTransfer(UpgradeKind) {
    showCredentials(false);
    SendDlgItemMessageW(hwnd(), IDC_PROGRESS, PBM_SETPOS, 0, 0);
    UpdateWindow(hwnd());
}

void CUpgradeDlg::setProgress(int percent) {
    SendDlgItemMessageW(hwnd(), IDC_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

}  // namespace lenscout
