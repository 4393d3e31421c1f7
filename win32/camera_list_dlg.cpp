#include "win32/camera_list_dlg.h"

#include <commctrl.h>

#include "app/string_table.h"
#include "discovery/message_ids.h"
#include "win32/camera_dialogs.h"
#include "win32/resource.h"
#include "win32/wide_text.h"

namespace lenscout {

namespace {

constexpr UINT_PTR kListHookId = 1;

// Reports a right-button press in the list to the main window, then lets
// the list handle it as before: the press selects nothing.
LRESULT CALLBACK ListHookProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR mainWindow) {
    if (message == WM_RBUTTONDOWN) PostMessageW(reinterpret_cast<HWND>(mainWindow), WM_LIST_RCLICK, wParam, lParam);
    return DefSubclassProc(list, message, wParam, lParam);
}

// Windows sends this to every top-level window when its taskbar starts
// again, after which every tray icon must be added anew.
UINT taskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

HICON loadIcon(int size) {
    return static_cast<HICON>(
        LoadImageW(programInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
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
    if (!services_.messageBox) services_.messageBox = showMessageBox;
    if (!services_.tray) services_.tray = makeShellIcon();
    fillStandardDialogs(services_.dialogs, services_.messageBox, [this] { return hwnd(); });
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
    bigIcon_ = loadIcon(GetSystemMetrics(SM_CXICON));
    smallIcon_ = loadIcon(GetSystemMetrics(SM_CXSMICON));
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    target_.window = hwnd();
    setWindowGbk(hwnd(), CurrentText(kTextTitle));
    addTrayIcon();
    setListFont(GetDpiForWindow(hwnd()));
    SetWindowSubclass(list(), ListHookProc, kListHookId, reinterpret_cast<DWORD_PTR>(hwnd()));
    // Last: the worker posts to this window as soon as it runs.
    return presenter_->start(&target_) ? TRUE : FALSE;
}

void CCameraListDlg::addTrayIcon() {
    trayIconShown_ = services_.tray->add(hwnd(), smallIcon_, wideFromGbk(trayTipText(CurrentText(kTextTitle))));
}

// The template's font, 14 pixels high at 96 dots per inch, semi-bold; made
// again for a monitor of another density, as the dialog's own are.
void CCameraListDlg::setListFont(UINT dpi) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(list(), WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfHeight = -MulDiv(14, static_cast<int>(dpi), 96);
    font.lfWeight = 600;
    HFONT previous = listFont_;
    listFont_ = CreateFontIndirectW(&font);
    SendMessageW(list(), WM_SETFONT, reinterpret_cast<WPARAM>(listFont_), TRUE);
    if (previous) DeleteObject(previous);
}

bool CCameraListDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* out) {
    switch (message) {
    case WM_CAMERA_FOUND: presenter_->OnCameraFound(takeRecord(wParam)); break;
    case WM_SCAN_TICK: presenter_->OnScanTick(); break;
    case WM_SCAN_ERROR: presenter_->OnScanError(paramCode(wParam)); break;
    case WM_TRAYNOTIFY: presenter_->OnTrayNotify(lParam); break;
    case WM_LIST_RCLICK: presenter_->OnListRClick(); break;
    case WM_SYSCOMMAND: return OnSysCommand(wParam);
    case WM_DPICHANGED: setListFont(HIWORD(wParam)); return false;
    case WM_DESTROY: OnDestroy(); return false;
    default:
        if (message != taskbarCreatedMessage()) return false;
        addTrayIcon();
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
// comes back through the tray icon or a second start. Without an icon it
// minimises, so that the taskbar can bring it back.
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

void CCameraListDlg::setTitle(const std::string& gbkTitle, const std::string& gbkTip) {
    setWindowGbk(hwnd(), gbkTitle);
    services_.tray->modify(wideFromGbk(gbkTip));
}

// Enter and Escape end the program as Exit does; the window has no button.
void CCameraListDlg::OnOK() { finish(IDOK); }
void CCameraListDlg::OnCancel() { finish(IDCANCEL); }

// A camera dialog still open when the program ends (Exit from the tray
// while it runs) is told to close, so that the program does not wait for it.
void CCameraListDlg::finish(INT_PTR result) {
    end(result);
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM self) {
            if (w != reinterpret_cast<HWND>(self) && GetWindow(w, GW_OWNER) == reinterpret_cast<HWND>(self))
                PostMessageW(w, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(hwnd()));
}

// Font deleted, tray icon removed, then store and list emptied and the worker
// stopped: WM_QUIT every 100 ms until it has returned.
void CCameraListDlg::OnDestroy() {
    destroyed_ = true;
    if (listFont_) DeleteObject(listFont_);
    listFont_ = nullptr;
    services_.tray->remove();
    if (presenter_) presenter_->stop();
    target_.window = nullptr;
    if (hwnd()) dropQueuedRecords(hwnd());
}

}  // namespace lenscout
