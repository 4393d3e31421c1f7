#include "support/worker_run.h"

#include "discovery/discovery_worker.h"
#include "discovery/message_ids.h"
#include "discovery/worker_control.h"
#include "platform/tick_clock.h"

namespace lenscout::test {

WorkerRun::WorkerRun(std::vector<uint16_t> ports) : target_(currentThreadId()) {
    startedAt = tickCount();
    started_ = thread_.start([this, ports] { return DiscoveryThreadProc(&target_, kSearchPeriodMs, ports); });
}

WorkerRun::~WorkerRun() {
    stopWorker(thread_);
    discardThreadQueue();
}

bool WorkerRun::takeOne(uint32_t timeoutMs, uint32_t* message) {
    ThreadMessage m;
    if (!waitThreadMessage(&m, timeoutMs)) return false;
    *message = m.message;
    const auto record = m.message == WM_CAMERA_FOUND ? takeRecord(m.wParam) : nullptr;
    if (observer) observer(m, record.get());
    if (record && keepHistory) records.push_back(*record);
    if (m.message == WM_SCAN_ERROR && keepHistory) errors.push_back(paramCode(m.wParam));
    if (m.message == WM_SCAN_TICK) ticks.push_back(tickCount());
    return true;
}

bool WorkerRun::waitFor(uint32_t message, uint32_t timeoutMs) {
    const uint32_t end = tickCount() + timeoutMs;
    uint32_t got = 0;
    for (uint32_t now = tickCount(); !tickReached(now, end); now = tickCount())
        if (takeOne(end - now, &got) && got == message) return true;
    return false;
}

void WorkerRun::drain(uint32_t periodMs) { waitFor(0, periodMs); }

uint32_t WorkerRun::quit() {
    const uint32_t before = tickCount();
    postQuit(thread_.id());
    while (!thread_.finished() && tickCount() - before < 5000) {
        uint32_t got;
        takeOne(1, &got);
    }
    const uint32_t took = tickCount() - before;
    thread_.join();
    return took;
}

}  // namespace lenscout::test
