#include "win32/camera_list_dlg.h"

#include <commctrl.h>

#include <vector>

#include "app/string_table.h"
#include "discovery/message_ids.h"
#include "ui/closing_order.h"
#include "win32/camera_dialogs.h"
#include "win32/list_font.h"
#include "win32/popup_menu.h"
#include "win32/resource.h"
#include "win32/single_instance.h"
#include "win32/upload_guard.h"
#include "win32/wide_text.h"

namespace lenscout {

namespace {

constexpr UINT_PTR kListHookId = 1;
constexpr UINT_PTR kTrayRetryTimer = 1;
constexpr int kTrayAttempts = 5;
constexpr UINT kTrayRetryMs = 200;

// Reports a right-button press in the list to the main window, then lets
// the list handle it as before: the press selects nothing.
LRESULT CALLBACK ListHookProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR mainWindow) {
    if (message == WM_RBUTTONDOWN) PostMessageW(reinterpret_cast<HWND>(mainWindow), WM_LIST_RCLICK, wParam, lParam);
    return DefSubclassProc(list, message, wParam, lParam);
}

// The shell's mouse message, in the tray notification's lParam, as the
// presenter knows it.
TrayMouse trayMouseOf(LPARAM lParam) {
    if (lParam == WM_LBUTTONDOWN) return TrayMouse::LeftDown;
    if (lParam == WM_RBUTTONDOWN) return TrayMouse::RightDown;
    return TrayMouse::Other;
}

// Windows sends this to every top-level window when its taskbar starts
// again, or the density changes, after which every tray icon must be added
// anew.
UINT taskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

// The image of the size the shell asks for at this DPI, scaled down from a
// larger one where the file has none of that size.
HICON loadIcon(int metric) {
    HICON icon = nullptr;
    if (SUCCEEDED(LoadIconMetric(programInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME), metric, &icon))) return icon;
    const int size = GetSystemMetrics(metric == LIM_LARGE ? SM_CXICON : SM_CXSMICON);
    return static_cast<HICON>(
        LoadImageW(programInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// The window in the middle of the work area of the monitor it starts on.
void centreOnItsMonitor(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT frame{};
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor) ||
        !GetWindowRect(window, &frame))
        return;
    const RECT& area = monitor.rcWork;
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Records still queued when the window goes are freed here.
void dropQueuedRecords(HWND window) {
    MSG m;
    while (PeekMessageW(&m, window, WM_CAMERA_FOUND, WM_CAMERA_FOUND, PM_REMOVE)) takeRecord(m.wParam);
}

}  // namespace

bool WindowTarget::postMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return window && PostMessageW(window, message, wParam, lParam) != FALSE;
}

CCameraListDlg::CCameraListDlg(WindowServices services) : ModalDialog(IDD_CAMERA_LIST), services_(std::move(services)) {
    registerMainWindowClass();
    if (!services_.messageBox) services_.messageBox = showMessageBox;
    if (!services_.tray) services_.tray = makeShellIcon();

    // From the keyboard the menu opens at the selected line, not the mouse.
    fillStandardDialogs(
        services_.dialogs, services_.messageBox, [this] { return hwnd(); },
        [this] { return menuFromKeyboard_ ? selectedLinePoint(list()) : cursorPoint(); });
}

CCameraListDlg::~CCameraListDlg() {
    if (!destroyed_) OnDestroy();
    if (bigIcon_) DestroyIcon(bigIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
}

BOOL CCameraListDlg::OnInitDialog() {
    lines_ = std::make_unique<ListBoxLines>(list());
    presenter_ = std::make_unique<MainWindowPresenter>(static_cast<MainWindowView&>(*this), *lines_, services_.dialogs,
                                                       services_.startWorker);
    centreOnItsMonitor(hwnd());
    target_.window = hwnd();
    // A program run elevated still hears that Explorer started again, to put
    // its icon back.
    ChangeWindowMessageFilterEx(hwnd(), taskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
    setWindowUtf8(hwnd(), CurrentText(kTextTitle));
    renewIcons();
    setListFont(GetDpiForWindow(hwnd()));
    SetWindowSubclass(list(), ListHookProc, kListHookId, reinterpret_cast<DWORD_PTR>(hwnd()));
    // Last: the worker posts to this window as soon as it runs. The list
    // has the focus whether or not it started.
    presenter_->start(&target_);
    SetFocus(list());
    return FALSE;
}

void CCameraListDlg::renewIcons() {
    const HICON oldBig = bigIcon_, oldSmall = smallIcon_;
    bigIcon_ = loadIcon(LIM_LARGE);
    smallIcon_ = loadIcon(LIM_SMALL);
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    trayAttempts_ = 0;
    addTrayIcon();
    if (oldBig) DestroyIcon(oldBig);
    if (oldSmall) DestroyIcon(oldSmall);
}

// The shell refuses icons while it is still starting: tried again from a
// timer, a few times, and never by sleeping on the window's thread.
void CCameraListDlg::addTrayIcon() {
    KillTimer(hwnd(), kTrayRetryTimer);
    const std::string tip = trayTipText(CurrentText(kTextTitle));
    trayIconShown_ = services_.tray->add(hwnd(), smallIcon_, wideFromUtf8(tip));
    if (!trayIconShown_ && ++trayAttempts_ < kTrayAttempts) SetTimer(hwnd(), kTrayRetryTimer, kTrayRetryMs, nullptr);
}

// Made again for a monitor of another density, as the dialog's own are.
void CCameraListDlg::setListFont(UINT dpi) {
    HFONT previous = listFont_;
    listFont_ = makeListFont(dpi);
    SendMessageW(list(), WM_SETFONT, reinterpret_cast<WPARAM>(listFont_), TRUE);
    if (previous) DeleteObject(previous);
}

bool CCameraListDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* out) {
    switch (message) {
    case WM_CAMERA_FOUND: presenter_->OnCameraFound(takeRecord(wParam)); break;
    case WM_SCAN_TICK: presenter_->OnScanTick(); break;
    case WM_SCAN_ERROR: presenter_->OnScanError(paramCode(wParam)); break;
    case WM_TRAYNOTIFY: presenter_->OnTrayNotify(trayMouseOf(lParam)); break;
    case WM_LIST_RCLICK: presenter_->OnListRClick(); break;
    case WM_SYSCOMMAND:
        if (!OnSysCommand(wParam)) return false;
        break;
    // The close box, Alt+F4 and the taskbar's "Close window" end the program.
    case WM_CLOSE: closeUnlessUploading(); break;
    case WM_CONTEXTMENU:
        // The Menu key or Shift+F10 (lParam -1); a click has its own hook.
        if (reinterpret_cast<HWND>(wParam) != list() || lParam != -1) return false;
        menuFromKeyboard_ = true;
        presenter_->OnListRClick();
        menuFromKeyboard_ = false;
        break;
    // The dialog's own handling sets its font on every control, the list's
    // too: the list's is made again once that is done.
    case WM_DPICHANGED: PostMessageW(hwnd(), WM_REMAKE_LIST_FONT, HIWORD(wParam), 0); return false;
    case WM_REMAKE_LIST_FONT:
        setListFont(static_cast<UINT>(wParam));
        renewIcons();
        break;
    case WM_TIMER:
        if (wParam != kTrayRetryTimer) return false;
        addTrayIcon();
        break;
    case WM_DESTROY: OnDestroy(); return false;
    default:
        if (message != taskbarCreatedMessage()) return false;
        renewIcons();
    }
    *out = TRUE;
    return true;
}

bool CCameraListDlg::OnCommand(int id, int notification) {
    if (id != IDC_CAMERA_LIST || notification != LBN_DBLCLK) return false;
    presenter_->OnDblclkCameraList();
    return true;
}

// Minimising hides the window: it leaves the screen and the taskbar and
// comes back through the tray icon or a second start. The command counts as
// handled, or the dialog manager would minimise the hidden window after it.
// Without an icon it minimises, so that the taskbar can bring it back.
bool CCameraListDlg::OnSysCommand(WPARAM command) {
    if ((command & 0xFFF0) != SC_MINIMIZE || !trayIconShown_) return false;
    ShowWindow(hwnd(), SW_HIDE);
    return true;
}

void CCameraListDlg::showMessage(int textRow) { services_.messageBox(hwnd(), CurrentText(textRow)); }

void CCameraListDlg::showWindow() {
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
}

int CCameraListDlg::runTrayMenu(const std::vector<TrayMenuEntry>& entries) {
    return services_.tray->runMenu(hwnd(), entries);
}

void CCameraListDlg::setTitle(const std::string& title, const std::string& tip) {
    setWindowUtf8(hwnd(), title);
    services_.tray->modify(wideFromUtf8(tip));
}

// The dialog manager's Enter and Escape are the presenter's (OnKey).
void CCameraListDlg::OnOK() {
    if (GetFocus() == list()) presenter_->OnKey(WindowKey::EnterOnList);
}
void CCameraListDlg::OnCancel() { presenter_->OnKey(WindowKey::Escape); }

void CCameraListDlg::closeUnlessUploading() {
    if (uploadRunning()) showMessage(kTextUploadRunning);
    else
        finish(IDCANCEL);
}

// Exit closes what is open over the window, the deepest first: a message
// box, the file picker, then the camera dialog under them. Each is closed at
// once, so a file picked meanwhile finds its dialog closed and is not sent.
void CCameraListDlg::finish(INT_PTR result) {
    std::vector<OpenWindow> open;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM list) {
            reinterpret_cast<std::vector<OpenWindow>*>(list)->push_back({w, GetWindow(w, GW_OWNER)});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&open));
    for (const void* w : closingOrder(open, hwnd()))
        SendMessageW(static_cast<HWND>(const_cast<void*>(w)), WM_CLOSE, 0, 0);
    end(result);
}

// Hook and font taken from the list (which is destroyed after this window's
// WM_DESTROY, and must not hold a deleted font), tray icon removed, then
// store and list emptied and the worker stopped: kQuitThread every 100 ms until
// it has returned.
void CCameraListDlg::OnDestroy() {
    destroyed_ = true;
    if (hwnd() && list()) {
        RemoveWindowSubclass(list(), ListHookProc, kListHookId);
        SendMessageW(list(), WM_SETFONT, 0, FALSE);
    }
    if (listFont_) DeleteObject(listFont_);
    listFont_ = nullptr;
    services_.tray->remove();
    if (presenter_) presenter_->stop();
    target_.window = nullptr;
    if (hwnd()) dropQueuedRecords(hwnd());
}

}  // namespace lenscout
