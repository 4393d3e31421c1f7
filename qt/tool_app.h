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
// Made in tool_app.cpp, where the main window's class is complete.
extern template class ToolAppOf<StartupServices>;

}  // namespace lenscout
