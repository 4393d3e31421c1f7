#include "tools/scan/scan_command.h"

#include <cstdio>
#include <set>
#include <string>

#include "discovery/camera_text.h"
#include "discovery/discovery_worker.h"
#include "discovery/message_ids.h"
#include "discovery/thread_queue_target.h"
#include "discovery/worker_control.h"
#include "platform/tick_clock.h"
#include "platform/worker_thread.h"
#include "platform/gbk.h"
#include "tools/cli/tool_language.h"
#include "tools/common/options.h"
#include "tools/scan/scan_format.h"
#include "ui/camera_list.h"
#include "ui/memory_list_lines.h"

namespace lenscout {

const char kScanUsage[] =
    "usage: %s [--seconds S] [--once] [--json] [--ticks] [--list] [--lang N]\n"
    "Searches for cameras for S seconds (default 4) and prints one line per\n"
    "camera per search and per error; --ticks also prints each search sent.\n"
    "--once sends one search only, waits S seconds and prints each camera once.\n"
    "--list prints the camera list instead, as the main window shows it after\n"
    "each search (with --once, at the end), in language N (0 from the system,\n"
    "1 English, 2 Simplified and 3 Traditional Chinese; by default the\n"
    "desktop program's choice).\n"
    "--json prints one JSON object per line. Exit status: 0 when the search\n"
    "ran, 1 when the network could not be used, 2 for a usage error.\n";

namespace {

// The search period of --once: longer than any run, so only the first goes.
constexpr uint32_t kOneSearchOnly = 0x7fffffffu;

struct ScanOptions {
    uint64_t seconds = 4;
    bool once = false;
    bool json = false;
    bool ticks = false;
    bool list = false;
    bool help = false;
    int64_t language = kLanguageUnset;
};

bool parseOptions(int argc, char** argv, ScanOptions* o) {
    ArgWalker args(argc, argv);
    std::string name, value;
    while (args.next(&name)) {
        if (args.operand()) return false;
        if (name == "json") o->json = true;
        else if (name == "once") o->once = true;
        else if (name == "ticks") o->ticks = true;
        else if (name == "list") o->list = true;
        else if (name == "help") o->help = true;
        else if (name == "lang") {
            if (!args.value(&value) || !parseSigned(value, 0, 3, &o->language)) return false;
        } else if (name != "seconds" || !args.value(&value) || !parseUnsigned(value, 86400, &o->seconds))
            return false;
    }
    return true;
}

// The list as the window would show it, printed after every sweep.
struct ListPrinter {
    MemoryListLines lines;
    CameraList list{lines};
    int sweeps = 0;

    void found(std::unique_ptr<CameraInfo> record) { list.OnCameraFound(std::move(record)); }
    void sweep() {
        list.OnScanTick();
        std::printf("-- after search %d: %d camera(s)\n", ++sweeps, lines.count());
        for (const std::string& line : lines.lines()) std::printf("%s\n", gbkToTerminal(line).c_str());
    }
};

class ScanPrinter {
public:
    ScanPrinter(const ScanOptions& o) : o_(o), started_(tickCount()) {}

    // Prints one message; false once the worker has reported its own end.
    bool print(const ThreadMessage& m) {
        if (m.message == WM_CAMERA_FOUND) camera(takeRecord(m.wParam));
        else if (m.message == WM_SCAN_TICK) tick();
        else if (m.message == WM_SCAN_ERROR) {
            std::printf("%s\n", errorLine(paramCode(m.wParam), o_.json).c_str());
            return paramCode(m.wParam) != kScanSocketFailure;
        }
        return true;
    }
    void finish() {
        if (o_.once && o_.list) list_.sweep();
    }

private:
    void camera(std::unique_ptr<CameraInfo> camera) {
        if (!camera) return;
        if (o_.once && !printed_.insert(std::string(fieldText(camera->deviceId))).second) return;
        if (o_.list) list_.found(std::move(camera));
        else std::printf("%s\n", cameraLine(*camera, o_.json).c_str());
    }
    void tick() {
        if (o_.list && !o_.once) list_.sweep();
        if (o_.ticks && !o_.list) std::printf("%s\n", tickLine(tickCount() - started_, o_.json).c_str());
    }

    const ScanOptions& o_;
    uint32_t started_;
    ListPrinter list_;
    std::set<std::string> printed_;
};

}  // namespace

int runScan(int argc, char** argv, const char* program) {
    ScanOptions options;
    if (!parseOptions(argc, argv, &options) || options.help) {
        std::fprintf(options.help ? stdout : stderr, kScanUsage, program);
        return options.help ? 0 : 2;
    }
    selectToolLanguage(options.language);
    ScanPrinter printer(options);
    ThreadQueueTarget target(currentThreadId());
    WorkerThread worker;
    const uint32_t period = options.once ? kOneSearchOnly : kSearchPeriodMs;
    if (!worker.start([&target, period] { return DiscoveryThreadProc(&target, period); })) {
        std::fprintf(stderr, "%s: cannot start the discovery thread\n", program);
        return 1;
    }
    const uint32_t end = tickCount() + static_cast<uint32_t>(options.seconds * 1000);
    bool running = true;
    ThreadMessage m;
    while (running && !tickReached(tickCount(), end)) {
        if (waitThreadMessage(&m, 50)) running = printer.print(m);
    }
    if (running) printer.finish();
    std::fflush(stdout);
    stopWorker(worker);
    discardThreadQueue();
    return running ? 0 : 1;
}

}  // namespace lenscout
