#pragma once
// How the main window opens what acts on one camera. Each opener works on
// a copy of the camera's record; tests put stand-ins here.
#include <functional>
#include <string>
#include <vector>

#include "discovery/camera_info.h"
#include "qt/message_box.h"
#include "ui/camera_actions.h"

namespace lenscout {

struct CameraDialogs {
    // True when confirmed; `camera` then holds the new settings.
    std::function<bool(CameraInfo& camera)> networkConfiguration;
    std::function<void(const CameraInfo& camera)> basicProperties;
    // True when an upload succeeded.
    std::function<bool(CameraInfo& camera)> upgrade;
    // Hands the address to the desktop's browser, without waiting.
    std::function<void(const std::string& url)> openWebPage;
    // Runs the context menu at the cursor: the chosen command, or 0.
    std::function<int(const std::vector<ContextMenuEntry>& entries)> contextMenu;
};

// The real dialogs, browser and menu; `upgrade` is left to the caller.
CameraDialogs standardCameraDialogs(const MessageBoxFn& messageBox);

}  // namespace lenscout
