#pragma once
// The program's start-up: language, single instance, socket layer, then the
// main window run modally as the main loop.
#include <functional>
#include <memory>

#include "win32/message_box.h"

namespace lenscout {

class CCameraListDlg;

struct StartupServices {
    std::function<bool()> startSocketLayer;
    MessageBoxFn messageBox;
    std::function<std::unique_ptr<CCameraListDlg>()> makeMainWindow;
};

// A running instance found by its title is shown and brought to the front,
// without waiting on it: a first instance busy with an upload is still
// found, and this start ends at once. False when none runs.
bool handOverToRunningInstance(const wchar_t* title);

class CToolApp {
public:
    explicit CToolApp(StartupServices services = {});
    // Always false: the modal main window was the main loop.
    bool InitInstance();

private:
    StartupServices services_;
};

}  // namespace lenscout
