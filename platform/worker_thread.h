#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "platform/thread_queue.h"

namespace lenscout {

// A thread with its own message queue, whether it has ended, and the exit
// code it published then.
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
    // Whether the thread function has returned; its code is exitCode().
    bool finished() const { return finished_.load(); }
    uint32_t exitCode() const { return exitCode_.load(); }
    // Waits for the thread to end; call only once it has been told to.
    void join();

private:
    std::thread thread_;
    ThreadId id_ = kNoThread;
    std::atomic<uint32_t> exitCode_{0};
    std::atomic<bool> finished_{false};
};

}  // namespace lenscout
