#pragma once
// What a run on cameras needs of the network: the worker's notifications
// as they come, a clock, and two requests. The real one is CameraSearch; a
// test gives a scripted one with a clock of its own.
#include <cstdint>
#include <memory>

#include "discovery/camera_request.h"

namespace lenscout {

// One notification of the worker, with what it owns taken over.
struct SearchEvent {
    uint32_t message = 0;
    std::unique_ptr<CameraInfo> camera;  // WM_CAMERA_FOUND
    int32_t code = 0;                    // WM_SCAN_ERROR
    uint32_t sender = 0;                 // and who sent it, network order
};

class CameraLink {
public:
    virtual ~CameraLink() = default;
    // The tick clock, in milliseconds.
    virtual uint32_t now() = 0;
    // The next notification before the tick `until`; false when none came.
    virtual bool next(uint32_t until, SearchEvent* event) = 0;
    // Hands a set-network request to the worker; false when it cannot.
    virtual bool sendSettings(const CameraRequest& request) = 0;
    // While answers are awaited: a search now, unless one was asked for
    // within kMinSearchGapMs. Called as often as wanted.
    virtual void searchOften() = 0;
    // Frees what has piled up, without waiting.
    virtual void drop() = 0;
};

}  // namespace lenscout
