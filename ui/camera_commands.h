#pragma once
// The main window's commands on the selected camera, apart from any window:
// each front-end supplies its dialogs, menu and browser, and these decide
// what opens and what the worker is told afterwards.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "discovery/camera_info.h"
#include "discovery/camera_request.h"
#include "platform/secrets.h"
#include "platform/thread_queue.h"
#include "ui/camera_actions.h"
#include "ui/camera_list.h"

namespace lenscout {

// How a window opens what acts on one camera. Each opener works on a copy
// of the camera's record; tests put stand-ins here.
struct CameraDialogs {
    // True when the user accepted: `request` then holds what goes to `camera`.
    std::function<bool(const CameraInfo& camera, CameraRequest* request)> networkConfiguration;
    std::function<void(const CameraInfo& camera)> basicProperties;
    // True when an upload succeeded.
    std::function<bool(CameraInfo& camera)> upgrade;
    // The one dialog that asks only for the user and password, titled with
    // the row's text and the camera: true when accepted, the typed
    // credentials then in `credentials`.
    std::function<bool(const CameraInfo& camera, int titleRow, Credentials* credentials)> credentials;
    // Hands the address to the desktop's browser, without waiting.
    std::function<void(const std::string& url)> openWebPage;
    // Runs the context menu at the cursor: the chosen command, or 0.
    std::function<int(const std::vector<ContextMenuEntry>& entries)> contextMenu;
};

// What a command asks for before anything goes out.
enum CommandNeeds : unsigned { kNeedsNothing = 0, kNeedsCredentials = 1, kNeedsFile = 2 };

// One command on the selected camera: its menu entry, its text row, what
// its dialog asks for, when it may run, and what runs it. A new command is
// its entry in cameraCommands(), and its opener in CameraDialogs unless it
// asks for the credentials alone (runCredentialsRequest).
struct CameraCommand {
    int id;
    int textRow;
    unsigned needs;
    bool (*available)(const CameraInfo& camera);  // grayed when false
    void (*run)(const CameraInfo& camera, const CameraDialogs& dialogs, ThreadId worker);
};
// The context menu's commands, in its order.
const std::vector<CameraCommand>& cameraCommands();
// The context menu of `camera`, in the current language: Upgrade is grayed
// for a camera outside the local subnets.
std::vector<ContextMenuEntry> contextMenuEntries(const CameraInfo& camera);

// A copy of the record of line `selected`; false when no line is selected.
bool selectedCamera(const CameraList& cameras, int selected, CameraInfo* copy);

// The action that the camera's status line announces.
void runDoubleClickAction(const CameraInfo& camera, const CameraDialogs& dialogs, ThreadId worker);
// The context menu and the dialog chosen from it. The caller keeps its
// tray menu shut while this runs.
void runContextMenu(const CameraInfo& camera, const CameraDialogs& dialogs, ThreadId worker);

// Runs either toolkit's dialog (`modal` true when accepted) and takes what
// it filled, a request or credentials, into `out`. The dialog's copy is
// wiped either way, since it holds the password.
template <class Filled, class Modal>
bool takeFromDialog(Filled& filled, Filled* out, Modal modal) {
    const bool accepted = modal();
    if (accepted) *out = filled;
    wipe(&filled, sizeof filled);
    return accepted;
}

// Either toolkit's network dialog over `camera`; accepted, its request goes
// into `request`.
template <class Dialog, class Modal>
bool runNetworkDialog(Dialog& dialog, const CameraInfo& camera, CameraRequest* request, Modal modal) {
    dialog.m_camera = camera;
    return takeFromDialog(dialog.m_request, request, modal);
}

// Either toolkit's credentials dialog over `camera`, titled with `titleRow`.
template <class Dialog, class Modal>
bool runCredentialsDialog(Dialog& dialog, const CameraInfo& camera, int titleRow, Credentials* credentials,
                          Modal modal) {
    dialog.m_camera = camera;
    dialog.m_titleRow = titleRow;
    return takeFromDialog(dialog.m_credentials, credentials, modal);
}

// A request that needs nothing but the credentials: the credentials dialog,
// titled with `titleRow`, then `message` to the worker with a request to
// `camera`. A new such command is its table entry, with this as its runner.
void runCredentialsRequest(const CameraInfo& camera, const CameraDialogs& dialogs, ThreadId worker, uint32_t message,
                           int titleRow);

// A confirmed configuration goes to the worker, which owns the posted copy;
// a successful upload asks it for a search at once.
void runNetworkConfiguration(CameraInfo camera, const CameraDialogs& dialogs, ThreadId worker);
void runUpgrade(CameraInfo camera, const CameraDialogs& dialogs, ThreadId worker);

}  // namespace lenscout
