#include "ui/camera_commands.h"

#include "app/string_table.h"
#include "discovery/discovery_worker.h"
#include "discovery/worker_requests.h"

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

const std::vector<CameraCommand>& cameraCommands() {
    static const std::vector<CameraCommand> commands = {
        {ID_CAMERA_PROPERTIES, kTextBasicProperties, kNeedsNothing, [](const CameraInfo&) { return true; },
         [](const CameraInfo& c, const CameraDialogs& d, ThreadId) { d.basicProperties(c); }},
        {ID_CAMERA_NETWORK, kTextNetworkConfiguration, kNeedsCredentials, [](const CameraInfo&) { return true; },
         [](const CameraInfo& c, const CameraDialogs& d, ThreadId w) { runNetworkConfiguration(c, d, w); }},
        {ID_CAMERA_UPGRADE, kTextUpgradeFirmware, kNeedsCredentials | kNeedsFile,
         [](const CameraInfo& c) { return c.sameSubnet != 0; },
         [](const CameraInfo& c, const CameraDialogs& d, ThreadId w) { runUpgrade(c, d, w); }},
    };
    return commands;
}

std::vector<ContextMenuEntry> contextMenuEntries(const CameraInfo& camera) {
    std::vector<ContextMenuEntry> entries;
    for (const CameraCommand& c : cameraCommands())
        entries.push_back({c.id, CurrentText(c.textRow), c.available(camera)});
    return entries;
}

// A grayed entry that a menu returned anyway opens nothing.
void runContextMenu(const CameraInfo& camera, const CameraDialogs& dialogs, ThreadId worker) {
    const int chosen = dialogs.contextMenu(contextMenuEntries(camera));
    for (const CameraCommand& c : cameraCommands())
        if (c.id == chosen && c.available(camera)) c.run(camera, dialogs, worker);
}

// After shutdown the post fails and the copy is freed there; the request,
// which holds the password, is wiped either way.
void runNetworkConfiguration(CameraInfo camera, const CameraDialogs& dialogs, ThreadId worker) {
    CameraRequest request{};
    if (dialogs.networkConfiguration(camera, &request)) postSetNetwork(worker, request);
    wipe(&request, sizeof request);
}

void runCredentialsRequest(const CameraInfo& camera, const CameraDialogs& dialogs, ThreadId worker, uint32_t message,
                           int titleRow) {
    CameraRequest request = requestTo(camera);
    if (dialogs.credentials(camera, titleRow, &request.credentials)) postWorkerRequest(worker, message, request);
    wipe(&request, sizeof request);
}

void runUpgrade(CameraInfo camera, const CameraDialogs& dialogs, ThreadId worker) {
    if (dialogs.upgrade(camera)) postSearchNow(worker);
}

}  // namespace lenscout
