#include "ui/camera_actions.h"

#include <cstdio>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "platform/socket.h"

namespace lenscout {

DoubleClickAction actionOnDoubleClick(const CameraInfo& c) {
    if (c.sameSubnet == 0) return DoubleClickAction::NetworkConfiguration;
    if (c.webUiVersion != 0) return DoubleClickAction::OpenWebPage;
    return DoubleClickAction::Upgrade;
}

std::string webPageUrl(const CameraInfo& c) {
    const unsigned port = toHostPort(c.httpPort);
    char url[40];
    if (port == 80) std::snprintf(url, sizeof url, "http://%s", dottedQuad(c.ip).c_str());
    else
        std::snprintf(url, sizeof url, "http://%s:%u", dottedQuad(c.ip).c_str(), port);
    return url;
}

std::vector<ContextMenuEntry> contextMenuEntries(const CameraInfo& c) {
    return {
        {ID_CAMERA_PROPERTIES, CurrentText(kTextBasicProperties), true},
        {ID_CAMERA_NETWORK, CurrentText(kTextNetworkConfiguration), true},
        {ID_CAMERA_UPGRADE, CurrentText(kTextUpgradeFirmware), c.sameSubnet != 0},
    };
}

std::string cameraDialogTitle(const CameraInfo& c, int row) {
    std::string_view name = fieldText(c.name);
    if (name.empty()) name = CurrentText(kTextAnonymous);
    return std::string(name) + " " + CurrentText(row);
}

}  // namespace lenscout
