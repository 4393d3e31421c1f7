#pragma once
// A discovery worker on its own thread, reporting to the test's thread.
#include <cstdint>
#include <functional>
#include <vector>

#include "discovery/camera_info.h"
#include "discovery/discovery_port.h"
#include "discovery/thread_queue_target.h"
#include "platform/worker_thread.h"

namespace lenscout::test {

class WorkerRun {
public:
    // Hearing replies on each of `ports`.
    explicit WorkerRun(std::vector<uint16_t> ports = discoveryPorts());
    ~WorkerRun();
    WorkerRun(const WorkerRun&) = delete;
    WorkerRun& operator=(const WorkerRun&) = delete;

    bool started() const { return started_; }
    ThreadId id() const { return thread_.id(); }
    // Takes notifications until one of `message` arrives; false on timeout.
    bool waitFor(uint32_t message, uint32_t timeoutMs);
    // Takes notifications for the whole period.
    void drain(uint32_t periodMs);
    // Posts kQuitThread and returns the milliseconds until the thread returned.
    uint32_t quit();
    bool finished() const { return thread_.finished(); }
    uint32_t exitCode() const { return thread_.exitCode(); }

    bool keepHistory = true;  // records and codes; off where a flood would make them grow without end
    std::vector<CameraInfo> records;
    std::vector<int32_t> errors;
    std::vector<uint32_t> ticks;  // tick count at which each WM_SCAN_TICK was taken
    uint32_t startedAt = 0;
    // Sees every notification as it is taken; `record` is set for WM_CAMERA_FOUND.
    std::function<void(const ThreadMessage& m, const CameraInfo* record)> observer;

private:
    bool takeOne(uint32_t timeoutMs, uint32_t* message);

    ThreadQueueTarget target_;
    WorkerThread thread_;
    bool started_ = false;
};

}  // namespace lenscout::test
