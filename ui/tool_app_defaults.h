#pragma once
// The application object's constructor, which fills what its services leave
// empty with the real ones: included where the desktop makes the class,
// since the main window's class must be complete there.
#include <memory>

#include "platform/socket.h"
#include "ui/tool_app.h"

namespace lenscout {

template <class Services>
ToolAppOf<Services>::ToolAppOf(Services services) : services_(std::move(services)) {
    if (!services_.startSocketLayer) services_.startSocketLayer = startSocketLayer;
    if (!services_.messageBox) services_.messageBox = Services::kStandardMessageBox;
    if (!services_.makeMainWindow)
        services_.makeMainWindow = [] { return std::make_unique<typename Services::MainWindow>(); };
}

}  // namespace lenscout
