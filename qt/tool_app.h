#pragma once
// The program's start-up: language, single instance, socket layer, then the
// main window run modally as the main loop.
#include <functional>
#include <memory>

#include "qt/message_box.h"

namespace lenscout {

class CCameraListDlg;

struct StartupServices {
    std::function<bool()> startSocketLayer;
    MessageBoxFn messageBox = showMessageBox;
    std::function<std::unique_ptr<CCameraListDlg>()> makeMainWindow;
};

class CToolApp {
public:
    explicit CToolApp(StartupServices services = {});
    // Always false: the modal main window was the main loop.
    bool InitInstance();

private:
    StartupServices services_;
};

}  // namespace lenscout
