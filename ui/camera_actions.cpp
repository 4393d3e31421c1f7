#include "ui/camera_actions.h"

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "platform/socket.h"
#include "platform/text_codecs.h"

namespace lenscout {

DoubleClickAction actionOnDoubleClick(const CameraInfo& c) {
    if (c.sameSubnet == 0) return DoubleClickAction::NetworkConfiguration;
    if (c.webUiVersion != 0) return DoubleClickAction::OpenWebPage;
    return DoubleClickAction::Upgrade;
}

std::string webAddress(const CameraInfo& c) {
    const unsigned port = toHostPort(c.httpPort);
    return port == 80 ? dottedQuad(c.ip) : dottedQuad(c.ip) + ":" + std::to_string(port);
}

std::string webPageUrl(const CameraInfo& c) { return "http://" + webAddress(c); }

std::string cameraDialogTitle(const CameraInfo& c, int row) {
    const std::string_view name = fieldText(c.name);
    return (name.empty() ? std::string(CurrentText(kTextAnonymous)) : gbkToShown(name)) + " " + CurrentText(row);
}

}  // namespace lenscout
