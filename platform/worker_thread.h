#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "platform/thread_queue.h"

namespace lenscout {

// <windows.h> has this one as a macro of the same value.
#ifndef STILL_ACTIVE
constexpr uint32_t STILL_ACTIVE = 259;
#endif

// A thread with its own message queue and a published exit code, which
// reads STILL_ACTIVE until the thread function has returned.
class WorkerThread {
public:
    using Proc = std::function<uint32_t()>;

    WorkerThread() = default;
    ~WorkerThread() { join(); }
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // False when the thread could not be created.
    bool start(Proc proc);
    ThreadId id() const { return id_; }
    uint32_t exitCode() const { return exitCode_.load(); }
    // Waits for the thread to end; call only once it has been told to.
    void join();

private:
    std::thread thread_;
    ThreadId id_ = kNoThread;
    std::atomic<uint32_t> exitCode_{STILL_ACTIVE};
};

}  // namespace lenscout
