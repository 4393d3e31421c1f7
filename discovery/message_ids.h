#pragma once
// Messages between the discovery worker and the main window. A record that
// travels with a message belongs to the receiver from the moment of posting.
#include <cstdint>
#include <memory>

#include "discovery/camera_info.h"
#include "platform/thread_queue.h"

namespace lenscout {

// Worker to main window (lParam 0, but see kTickSentNothing).
constexpr uint32_t WM_SCAN_ERROR = 1026;    // wParam: signed result code
constexpr uint32_t WM_SCAN_TICK = 1027;     // a search period has begun
constexpr uint32_t WM_CAMERA_FOUND = 1028;  // wParam: heap CameraInfo
// Main window to worker.
constexpr uint32_t TM_SET_NETWORK = 1030;  // wParam: heap CameraInfo with the new settings
constexpr uint32_t TM_SEARCH_NOW = 1031;

// The worker's own code for a socket failure, after which it has ended.
constexpr int32_t kScanSocketFailure = -2;
// WM_SCAN_TICK's lParam when the search went out on no link at all: every
// link is down, or none can broadcast. The window's sweep ignores it; the
// command-line tools say so.
constexpr intptr_t kTickSentNothing = 1;

// Posts a record with `post(wParam)`; when that fails the record is freed
// here, so that it is lost on no path.
template <class Post>
bool handOverRecord(std::unique_ptr<CameraInfo> record, Post post) {
    if (!record || !post(reinterpret_cast<uintptr_t>(record.get()))) return false;
    record.release();
    return true;
}
inline std::unique_ptr<CameraInfo> takeRecord(uintptr_t wParam) {
    return std::unique_ptr<CameraInfo>(reinterpret_cast<CameraInfo*>(wParam));
}
inline uintptr_t codeParam(int32_t code) { return static_cast<uintptr_t>(static_cast<intptr_t>(code)); }
inline int32_t paramCode(uintptr_t wParam) { return static_cast<int32_t>(static_cast<intptr_t>(wParam)); }

// Frees what a message that was never handled still owns.
inline void releaseMessage(const ThreadMessage& m) {
    if (m.message == WM_CAMERA_FOUND || m.message == TM_SET_NETWORK) takeRecord(m.wParam);
}

}  // namespace lenscout
