#include "discovery/worker_control.h"

#include <chrono>
#include <thread>

#include "discovery/discovery_worker.h"

namespace lenscout {

void stopWorker(WorkerThread& worker) {
    if (worker.id() == kNoThread) return;  // never started
    while (!worker.finished()) {
        postQuit(worker.id());
        for (int i = 0; i < 20 && !worker.finished(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    worker.join();
}

}  // namespace lenscout
