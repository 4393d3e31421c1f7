#include "win32/tool_app.h"

#include <commctrl.h>

#include <functional>

#include "app/string_table.h"
#include "ui/tool_app_defaults.h"
#include "win32/camera_list_dlg.h"
#include "win32/resource.h"
#include "win32/single_instance.h"
#include "win32/wide_text.h"

namespace lenscout {

// A copy that runs as administrator cannot be brought forward from here:
// the user is told where Lenscout runs instead of getting a second one.
bool handOverToRunningInstance(const std::function<void(int row)>& say) {
    // Held until the program ends: a static's life.
    static InstanceClaim claim;
    if (claim.first()) return false;
    if (claim.runningElevated()) say(kTextRunningElevated);
    else
        showRunningInstance();
    return true;
}

template <>
bool CToolApp::InitInstance() {
    const auto say = [this](int row) { services_.messageBox(nullptr, CurrentText(row)); };
    return runStartup({[say] { return handOverToRunningInstance(say); }, services_.startSocketLayer, say,
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
