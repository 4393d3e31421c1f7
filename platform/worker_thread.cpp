#include "platform/worker_thread.h"

#include <system_error>

namespace lenscout {

bool WorkerThread::start(Proc proc) {
    if (thread_.joinable()) return false;
    id_ = createThreadQueue();
    finished_ = false;
    const ThreadId id = id_;
    try {
        thread_ = std::thread([this, id, proc = std::move(proc)] {
            adoptThreadQueue(id);
            uint32_t code = proc();
            closeThreadQueue();  // no-op when the function closed it itself
            exitCode_ = code;
            finished_ = true;
        });
    } catch (const std::system_error&) {
        // The thread library reports a failed creation only this way.
        closeThreadQueue(id);
        id_ = kNoThread;
        return false;
    }
    return true;
}

void WorkerThread::join() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace lenscout
