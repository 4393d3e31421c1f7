#pragma once
// The program's start-up on Windows: the running instance found, and the
// main window run modally as the main loop.
#include "ui/tool_app.h"
#include "win32/message_box.h"

namespace lenscout {

class CCameraListDlg;

// When this user's Lenscout already runs, its window is shown and brought
// to the front, without waiting on it (a first instance busy with an upload
// is still found), and this start ends. False when none runs.
bool handOverToRunningInstance();

using StartupServices = StartupServicesOf<MessageBoxFn, CCameraListDlg, showMessageBox>;
using CToolApp = ToolAppOf<StartupServices>;
template <>
bool CToolApp::InitInstance();

}  // namespace lenscout
