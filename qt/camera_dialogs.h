#pragma once
// The Qt dialogs, browser and menu behind the main window's commands.
#include <functional>
#include <string>
#include <vector>

#include "discovery/camera_info.h"
#include "qt/message_box.h"
#include "ui/camera_commands.h"

class QWidget;

namespace lenscout {

// The real dialogs, browser and menu; `upgrade` is left to the caller. The
// dialogs are window-modal to `owner`, the main window.
CameraDialogs standardCameraDialogs(const MessageBoxFn& messageBox, QWidget* owner);

}  // namespace lenscout
