#include "ui/camera_commands.h"

#include "discovery/discovery_worker.h"

namespace lenscout {

bool selectedCamera(const CameraList& cameras, int selected, CameraInfo* copy) {
    const auto& records = cameras.cameras();
    if (selected < 0 || selected >= static_cast<int>(records.size())) return false;
    *copy = records[static_cast<size_t>(selected)];
    return true;
}

void runDoubleClickAction(const CameraInfo& camera, const CameraDialogs& dialogs, ThreadId worker) {
    switch (actionOnDoubleClick(camera)) {
    case DoubleClickAction::NetworkConfiguration: runNetworkConfiguration(camera, dialogs, worker); break;
    case DoubleClickAction::OpenWebPage: dialogs.openWebPage(webPageUrl(camera)); break;
    case DoubleClickAction::Upgrade: runUpgrade(camera, dialogs, worker); break;
    }
}

void runContextMenu(const CameraInfo& camera, const CameraDialogs& dialogs, ThreadId worker) {
    switch (dialogs.contextMenu(contextMenuEntries(camera))) {
    case ID_CAMERA_PROPERTIES: dialogs.basicProperties(camera); break;
    case ID_CAMERA_NETWORK: runNetworkConfiguration(camera, dialogs, worker); break;
    // A grayed entry that a menu returned anyway opens nothing.
    case ID_CAMERA_UPGRADE:
        if (camera.sameSubnet) runUpgrade(camera, dialogs, worker);
        break;
    default: break;
    }
}

// After shutdown the post fails and the copy is freed there; the request,
// which holds the password, is wiped either way.
void runNetworkConfiguration(CameraInfo camera, const CameraDialogs& dialogs, ThreadId worker) {
    CameraRequest request{};
    if (dialogs.networkConfiguration(camera, &request)) postSetNetwork(worker, request);
    wipe(&request, sizeof request);
}

void runUpgrade(CameraInfo camera, const CameraDialogs& dialogs, ThreadId worker) {
    if (dialogs.upgrade(camera)) postSearchNow(worker);
}

}  // namespace lenscout
