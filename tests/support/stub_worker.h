#pragma once
// A worker thread that only counts the thread messages a discovery worker
// would get, and ends on kQuitThread: for windows tested without a network.
#include <atomic>
#include <chrono>
#include <thread>

#include "discovery/message_ids.h"
#include "platform/worker_thread.h"

namespace lenscout::test {

struct StubWorker {
    std::atomic<int> searches{0};
    std::atomic<int> setNetworks{0};
    std::atomic<int> quits{0};
    std::atomic<int> periodMs{0};  // the last period posted
    // The counts move on the worker's own thread: a test waits for them to
    // arrive rather than assuming they already have.
    static bool reaches(const std::atomic<int>& counter, int count, int limitMs = 5000) {
        for (int waited = 0; counter < count && waited < limitMs; waited += 10)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return counter >= count;
    }
    bool start(WorkerThread& thread) {
        return thread.start([this] {
            ThreadMessage m;
            for (;;) {
                if (!waitThreadMessage(&m, 50)) continue;
                if (m.message == TM_SEARCH_NOW) ++searches;
                if (m.message == TM_SET_PERIOD) periodMs = static_cast<int>(m.wParam);
                if (m.message == TM_SET_NETWORK) {
                    ++setNetworks;
                    takeRecord(m.wParam);
                }
                if (m.message == kQuitThread) {
                    ++quits;
                    return 0u;
                }
            }
        });
    }
};

}  // namespace lenscout::test
