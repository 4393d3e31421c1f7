#pragma once
// The program's start-up on Qt: the single instance over a local socket,
// and the main window run as the main loop.
#include "qt/message_box.h"
#include "ui/tool_app.h"

namespace lenscout {

class CCameraListDlg;

using StartupServices = StartupServicesOf<MessageBoxFn, CCameraListDlg, showMessageBox>;
using CToolApp = ToolAppOf<StartupServices>;
template <>
bool CToolApp::InitInstance();

}  // namespace lenscout
