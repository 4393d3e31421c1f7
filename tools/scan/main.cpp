// lenscout-scan: runs the discovery worker for a while and prints what it
// hands over, for scripts and tests. Run it only inside the virtual LAN.
#include <cstdio>
#include <string>

#include "discovery/discovery_worker.h"
#include "discovery/message_ids.h"
#include "discovery/thread_queue_target.h"
#include "discovery/worker_control.h"
#include "platform/tick_clock.h"
#include "platform/worker_thread.h"
#include "tools/common/options.h"
#include "tools/scan/scan_format.h"

namespace {

const char kUsage[] =
    "usage: lenscout-scan [--seconds S] [--json] [--ticks]\n"
    "Searches for cameras for S seconds (default 4) and prints one line per\n"
    "camera per search and per error; --ticks also prints each search sent.\n";

struct ScanOptions {
    uint64_t seconds = 4;
    bool json = false;
    bool ticks = false;
};

bool parseOptions(int argc, char** argv, ScanOptions* o) {
    lenscout::ArgWalker args(argc, argv);
    std::string name, value;
    while (args.next(&name)) {
        if (name == "json") o->json = true;
        else if (name == "ticks") o->ticks = true;
        else if (name != "seconds" || !args.value(&value) || !lenscout::parseUnsigned(value, 86400, &o->seconds))
            return false;
    }
    return true;
}

// Prints one message; false once the worker has reported its own end.
bool print(const lenscout::ThreadMessage& m, const ScanOptions& o, uint32_t started) {
    using namespace lenscout;
    if (m.message == WM_CAMERA_FOUND) {
        const auto camera = takeRecord(m.wParam);
        std::printf("%s\n", cameraLine(*camera, o.json).c_str());
    } else if (m.message == WM_SCAN_TICK && o.ticks) {
        std::printf("%s\n", tickLine(tickCount() - started, o.json).c_str());
    } else if (m.message == WM_SCAN_ERROR) {
        std::printf("%s\n", errorLine(paramCode(m.wParam), o.json).c_str());
        return paramCode(m.wParam) != kScanSocketFailure;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace lenscout;
    ScanOptions options;
    if (!parseOptions(argc, argv, &options)) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    ThreadQueueTarget target(currentThreadId());
    WorkerThread worker;
    if (!worker.start([&target] { return DiscoveryThreadProc(&target); })) {
        std::fprintf(stderr, "lenscout-scan: cannot start the discovery thread\n");
        return 1;
    }
    const uint32_t started = tickCount();
    const uint32_t end = started + static_cast<uint32_t>(options.seconds * 1000);
    bool running = true;
    ThreadMessage m;
    while (running && !tickReached(tickCount(), end)) {
        if (waitThreadMessage(&m, 50)) running = print(m, options, started);
    }
    std::fflush(stdout);
    stopWorker(worker);
    discardThreadQueue();
    return running ? 0 : 1;
}
