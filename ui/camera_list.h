#pragma once
// The camera list behind the main window: one record per camera that
// answered the latest searches, in the order they were first found, and one
// line per record in the list widget.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "discovery/camera_info.h"
#include "ui/list_lines.h"

namespace lenscout {

// What the window does about an error code from the worker.
enum class ScanErrorAction {
    None,
    SocketErrorThenQuit,   // "Socket Error !", then the main window quits
    IncorrectCredentials,  // "Incorrect user or password !"
    LinkUnknown,           // nothing was sent, since the camera's link is not known
};
ScanErrorAction OnScanError(int32_t code);

// Far more than a site has: past it a flood of made-up IDs would cost the
// window memory and time without end.
constexpr size_t kMaxListedCameras = 4096;

class CameraList {
public:
    explicit CameraList(ListLines& list, size_t capacity = kMaxListedCameras) : list_(list), capacity_(capacity) {}

    // Adds a camera (with its line) or replaces its record, whose line the
    // next tick brings up to date. A new camera of a full list is dropped:
    // false then, and true otherwise.
    bool OnCameraFound(std::unique_ptr<CameraInfo> record);
    // Drops the cameras that did not answer since the tick before, with
    // their lines, and rewrites every line whose text has changed. The
    // other lines stay where they are, and so does the selection.
    void OnScanTick();
    // Empties the store and the list, at shutdown.
    void Clear();

    const std::vector<CameraInfo>& cameras() const { return m_cameras; }

private:
    void reindex();

    ListLines& list_;
    size_t capacity_;
    std::vector<CameraInfo> m_cameras;
    std::unordered_map<std::string, size_t> byId_;  // into m_cameras
    // Each line as it was last written. A widget may not give back what it
    // was given (a name that is not GBK changes on its way to the screen), so a
    // line is compared with this, never read back, or it would be written
    // again at every sweep.
    std::vector<std::string> shown_;
};

}  // namespace lenscout
