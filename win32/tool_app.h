#pragma once
// The program's start-up on Windows: the running instance found, and the
// main window run modally as the main loop.
#include "ui/tool_app.h"
#include "win32/message_box.h"

namespace lenscout {

class CCameraListDlg;

// A running instance found by its title is shown and brought to the front,
// without waiting on it: a first instance busy with an upload is still
// found, and this start ends at once. False when none runs.
bool handOverToRunningInstance(const wchar_t* title);

using StartupServices = StartupServicesOf<MessageBoxFn, CCameraListDlg, showMessageBox>;
using CToolApp = ToolAppOf<StartupServices>;
template <>
bool CToolApp::InitInstance();

}  // namespace lenscout
