#pragma once
// The program's start-up on Windows: the running instance found, and the
// main window run modally as the main loop.
#include <functional>

#include "ui/tool_app.h"
#include "win32/message_box.h"

namespace lenscout {

class CCameraListDlg;

// When this user's Lenscout already runs, its window is shown and brought
// to the front, without waiting on it (a first instance busy with an upload
// is still found), and this start ends. One that runs as administrator is
// said with `say` instead. False when none runs.
bool handOverToRunningInstance(const std::function<void(int row)>& say);

using StartupServices = StartupServicesOf<MessageBoxFn, CCameraListDlg, showMessageBox>;
using CToolApp = ToolAppOf<StartupServices>;
template <>
bool CToolApp::InitInstance();

}  // namespace lenscout
