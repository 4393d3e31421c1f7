// How the discovery worker keeps up with many cameras answering each search.
// Runs only inside the virtual LAN; the simulator plays the cameras, shared
// out over camera hosts 1..H (one per link, say). Prints one result line (and
// JSON with --json).
//
//   discovery_scale --cameras N [--hosts H] [--delay MIN-MAX] [--periods P]
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "discovery/camera_text.h"
#include "discovery/discovery_worker.h"
#include "discovery/message_ids.h"
#include "discovery/thread_queue_target.h"
#include "discovery/worker_control.h"
#include "platform/worker_thread.h"
#include "support/sim_process.h"
#include "tools/common/options.h"

namespace lenscout {
namespace {

uint64_t threadCpuNs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<uint64_t>(t.tv_sec) * 1000000000u + static_cast<uint64_t>(t.tv_nsec);
}

// Forwards to the consumer's queue, as the window would receive, and reads
// the worker thread's CPU clock at each search.
class MeasuringTarget : public MessageTarget {
public:
    explicit MeasuringTarget(ThreadId consumer) : forward_(consumer) {}
    bool postMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
        if (message == WM_SCAN_TICK) cpuAtTick.push_back(threadCpuNs());
        return forward_.postMessage(message, wParam, lParam);
    }
    std::vector<uint64_t> cpuAtTick;  // read only after the worker has ended

private:
    ThreadQueueTarget forward_;
};

struct Options {
    uint64_t cameras = 10, hosts = 1, delayMin = 0, delayMax = 20, periods = 10;
    bool json = false;
};

// -1 to run, else the exit status.
int parse(int argc, char** argv, Options* o) {
    CLI::App app("Discovery at scale: cameras on simulated hosts, the worker's records per search period.",
                 "discovery_scale");
    app.add_option("--cameras", o->cameras, "cameras in all (10)")->check(CLI::Range(uint64_t{0}, uint64_t{100000}));
    app.add_option("--hosts", o->hosts, "camera hosts (1)")->check(CLI::Range(uint64_t{1}, uint64_t{200}));
    addTakenOption(
        app, "--delay", [o](const std::string& v) { return parseRange(v, 1000, &o->delayMin, &o->delayMax); },
        "reply delay per camera in ms, MIN[-MAX] (0-20)");
    app.add_option("--periods", o->periods, "search periods to measure (10)")
        ->check(CLI::Range(uint64_t{1}, uint64_t{1000}));
    app.add_flag("--json", o->json, "print the figures as JSON");
    return parseToolLine(app, argc, argv);
}

struct Periods {
    std::vector<std::set<std::string>> seen;  // camera IDs per complete period
    std::vector<size_t> records;              // records per complete period
};

// Takes notifications until `periods` whole search periods have passed.
Periods consume(uint64_t periods) {
    Periods p;
    size_t ticks = 0;
    ThreadMessage m;
    while (ticks <= periods) {
        if (!waitThreadMessage(&m, 5000)) break;
        if (m.message == WM_SCAN_TICK && ++ticks <= periods) {
            p.seen.emplace_back();
            p.records.push_back(0);
        }
        if (m.message != WM_CAMERA_FOUND) continue;
        const auto record = takeRecord(m.wParam);
        if (ticks == 0 || ticks > periods) continue;
        p.seen.back().insert(std::string(fieldText(record->deviceId)));
        ++p.records.back();
    }
    return p;
}

// Host k plays its share of the cameras, numbered on from the hosts before
// it, with addresses from .1 of its own subnet.
std::unique_ptr<test::SimProcess> startHost(const Options& o, uint64_t k) {
    const uint64_t share = o.cameras / o.hosts + (k <= o.cameras % o.hosts ? 1 : 0);
    const uint64_t first = (k - 1) * (o.cameras / o.hosts) + std::min(k - 1, o.cameras % o.hosts) + 1;
    uint32_t hostAddr = 0;
    const char* text = std::getenv(("LENSCOUT_HOST_ADDR_" + std::to_string(k)).c_str());
    if (!text || !parseIpv4(text, &hostAddr)) return nullptr;
    const uint32_t base = (toHostLong(hostAddr) & 0xffffff00u) + 1 - static_cast<uint32_t>(first);
    return std::make_unique<test::SimProcess>(
        static_cast<int>(k),
        std::vector<std::string>{"--base-ip", dottedQuad(toNetLong(base)), "--first", std::to_string(first), "--count",
                                 std::to_string(share), "--delay",
                                 std::to_string(o.delayMin) + "-" + std::to_string(o.delayMax)});
}

int run(const Options& o) {
    std::vector<std::unique_ptr<test::SimProcess>> sims;
    for (uint64_t k = 1; k <= o.hosts; ++k) {
        sims.push_back(startHost(o, k));
        if (!sims.back() || !sims.back()->ok()) {
            std::fprintf(stderr, "discovery_scale: the simulator did not start (run me through tools/vlan)\n");
            return 1;
        }
    }
    MeasuringTarget target(currentThreadId());
    WorkerThread worker;
    worker.start([&target] { return DiscoveryThreadProc(&target); });
    const Periods p = consume(o.periods);
    stopWorker(worker);
    discardThreadQueue();
    if (p.records.size() != o.periods || target.cpuAtTick.size() <= o.periods) {
        std::fprintf(stderr, "discovery_scale: the worker stopped searching\n");
        return 1;
    }

    std::set<std::string> everSeen, alwaysSeen = p.seen[0];
    size_t total = 0;
    for (size_t i = 0; i < p.seen.size(); ++i) {
        total += p.records[i];
        everSeen.insert(p.seen[i].begin(), p.seen[i].end());
        std::set<std::string> both;
        std::set_intersection(alwaysSeen.begin(), alwaysSeen.end(), p.seen[i].begin(), p.seen[i].end(),
                              std::inserter(both, both.begin()));
        alwaysSeen.swap(both);
    }
    const size_t missedAny = o.cameras - alwaysSeen.size();
    const double cpuUs = static_cast<double>(target.cpuAtTick[o.periods] - target.cpuAtTick[0]) / 1000.0;
    const double perReply = total ? cpuUs / static_cast<double>(total) : 0.0;
    const auto [lo, hi] = std::minmax_element(p.records.begin(), p.records.end());
    std::printf(o.json ? "{\"hosts\":%llu," : "hosts=%llu ", static_cast<unsigned long long>(o.hosts));
    const char* format = o.json
                             ? "\"cameras\":%llu,\"delay\":\"%llu-%llu\",\"periods\":%llu,\"records_min\":%zu,"
                               "\"records_max\":%zu,\"records_total\":%zu,\"missed_in_any_period\":%zu,"
                               "\"never_seen\":%zu,\"cpu_us_per_reply\":%.2f,\"cpu_ms_per_period\":%.2f}\n"
                             : "cameras=%llu delay=%llu-%llu periods=%llu records/period=%zu..%zu total=%zu "
                               "missed_in_any_period=%zu never_seen=%zu cpu_us_per_reply=%.2f cpu_ms_per_period=%.2f\n";
    std::printf(format, static_cast<unsigned long long>(o.cameras), static_cast<unsigned long long>(o.delayMin),
                static_cast<unsigned long long>(o.delayMax), static_cast<unsigned long long>(o.periods), *lo, *hi,
                total, missedAny, static_cast<size_t>(o.cameras - everSeen.size()), perReply,
                cpuUs / 1000.0 / static_cast<double>(o.periods));
    return 0;
}

}  // namespace
}  // namespace lenscout

int main(int argc, char** argv) {
    lenscout::Options options;
    const int status = lenscout::parse(argc, argv, &options);
    if (status >= 0) return status;
    return lenscout::run(options);
}
