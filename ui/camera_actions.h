#pragma once
// What the user can do with one camera of the list: the double-click action
// that its status line announces, and the context menu's entries (their
// commands are the table of camera_commands.h).
#include <string>

#include "discovery/camera_info.h"

namespace lenscout {

enum class DoubleClickAction { NetworkConfiguration, OpenWebPage, Upgrade };
// In the order of the status line: another subnet, then a web interface.
DoubleClickAction actionOnDoubleClick(const CameraInfo& camera);

// "a.b.c.d", with ":port" unless the port is 80.
std::string webAddress(const CameraInfo& camera);
// "http://" and the web address.
std::string webPageUrl(const CameraInfo& camera);

constexpr int ID_CAMERA_PROPERTIES = 1;
constexpr int ID_CAMERA_NETWORK = 2;
constexpr int ID_CAMERA_UPGRADE = 3;

struct ContextMenuEntry {
    int command;
    const char* text;  // current language
    bool enabled;
};

// A dialog's title: the camera's name, or "Anonymous", a blank, then the
// text of `row`.
std::string cameraDialogTitle(const CameraInfo& camera, int row);

}  // namespace lenscout
