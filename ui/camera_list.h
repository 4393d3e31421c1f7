#pragma once
// The camera list behind the main window: one record per camera that
// answered the latest searches, in the order they were first found, and one
// line per record in the list widget.
#include <cstdint>
#include <memory>
#include <vector>

#include "discovery/camera_info.h"
#include "ui/list_lines.h"

namespace lenscout {

// What the window does about an error code from the worker.
enum class ScanErrorAction {
    None,
    SocketErrorThenQuit,   // "Socket Error !", then WM_QUIT to the main window
    IncorrectCredentials,  // "Incorrect user or password !"
};
ScanErrorAction OnScanError(int32_t code);

class CameraList {
public:
    explicit CameraList(ListLines& list) : list_(list) {}

    // Adds a camera (with its line) or replaces its record, whose line the
    // next tick brings up to date.
    void OnCameraFound(std::unique_ptr<CameraInfo> record);
    // Drops the cameras that did not answer since the tick before and
    // rewrites every line whose text has changed.
    void OnScanTick();
    // Empties the store and the list, at shutdown.
    void Clear();

    const std::vector<CameraInfo>& cameras() const { return m_cameras; }

private:
    void sweepLine(int i, const CameraInfo& record, int lines);

    ListLines& list_;
    std::vector<CameraInfo> m_cameras;
};

}  // namespace lenscout
