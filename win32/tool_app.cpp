#include "win32/tool_app.h"

#include <commctrl.h>

#include "app/string_table.h"
#include "ui/tool_app_defaults.h"
#include "win32/camera_list_dlg.h"
#include "win32/resource.h"
#include "win32/wide_text.h"

namespace lenscout {

namespace {

// The main window by its title; a message box of the running instance has
// the same title, so the window that holds the camera list comes first.
HWND findRunningInstance(const wchar_t* title) {
    struct Search {
        const wchar_t* title;
        HWND found;
    } search{title, nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) {
            auto* s = reinterpret_cast<Search*>(p);
            wchar_t text[128] = {};
            GetWindowTextW(w, text, 128);
            if (lstrcmpW(text, s->title) != 0 || !GetDlgItem(w, IDC_CAMERA_LIST)) return TRUE;
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found ? search.found : FindWindowW(nullptr, title);
}

}  // namespace

bool handOverToRunningInstance(const wchar_t* title) {
    HWND running = findRunningInstance(title);
    if (!running) return false;
    ShowWindowAsync(running, SW_SHOWNORMAL);
    SetForegroundWindow(running);
    return true;
}

template <>
bool CToolApp::InitInstance() {
    return runStartup({[] { return handOverToRunningInstance(currentWide(kTextTitle).c_str()); },
                       services_.startSocketLayer, [this](int row) { services_.messageBox(nullptr, CurrentText(row)); },
                       [this] {
                           // The IP address field and the progress bar.
                           const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                                               ICC_INTERNET_CLASSES | ICC_PROGRESS_CLASS};
                           InitCommonControlsEx(&controls);
                           services_.makeMainWindow()->DoModal(nullptr);
                       }});
}

template class ToolAppOf<StartupServices>;

}  // namespace lenscout
