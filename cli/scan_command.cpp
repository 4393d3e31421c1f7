#include "cli/scan_command.h"

#include <cstdio>
#include <memory>
#include <set>
#include <string>

#include "cli/cli_messages.h"
#include "cli/exit_status.h"
#include "cli/scan_format.h"
#include "cli/tool_language.h"
#include "discovery/camera_text.h"
#include "discovery/discovery_worker.h"
#include "discovery/message_ids.h"
#include "discovery/thread_queue_target.h"
#include "discovery/worker_control.h"
#include "platform/gbk.h"
#include "platform/tick_clock.h"
#include "platform/worker_thread.h"
#include "ui/camera_list.h"
#include "ui/memory_list_lines.h"

namespace lenscout {

namespace {

// The search period of --once: longer than any run, so only the first goes.
constexpr uint32_t kOneSearchOnly = 0x7fffffffu;

// The list as the window would show it, printed after every sweep.
struct ListPrinter {
    MemoryListLines lines;
    CameraList list{lines};
    int sweeps = 0;

    void found(std::unique_ptr<CameraInfo> record) { list.OnCameraFound(std::move(record)); }
    void sweep() {
        list.OnScanTick();
        std::printf("-- after search %d: %d camera(s)\n", ++sweeps, lines.count());
        for (const std::string& line : lines.lines()) std::printf("%s\n", terminalSafe(gbkToTerminal(line)).c_str());
    }
};

class ScanPrinter {
public:
    ScanPrinter(const ScanOptions& o, const char* program) : o_(o), program_(program), started_(tickCount()) {}

    // Prints one message; false once the worker has reported its own end.
    bool print(const ThreadMessage& m) {
        if (m.message == WM_CAMERA_FOUND) camera(takeRecord(m.wParam));
        else if (m.message == WM_SCAN_TICK)
            tick(m.lParam == kTickSentNothing);
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
        else
            std::printf("%s\n", foundCameraLine(*camera, o_.json).c_str());
    }
    void tick(bool sentNothing) {
        // Said once when it starts, not every period: an empty list then has its reason.
        if (sentNothing && !sentNothing_) noInterface(program_);
        sentNothing_ = sentNothing;
        if (o_.list && !o_.once) list_.sweep();
        if (o_.ticks && !o_.list) std::printf("%s\n", tickLine(tickCount() - started_, o_.json).c_str());
    }

    const ScanOptions& o_;
    const char* program_;
    uint32_t started_;
    bool sentNothing_ = false;
    ListPrinter list_;
    std::set<std::string> printed_;
};

}  // namespace

const char kScanDescription[] =
    "Searches for cameras on every network interface for S seconds and prints one line per camera per search "
    "and per error.";

void declareScanOptions(CLI::App& command, ScanOptions* o) {
    command.add_option("--seconds", o->seconds, "how long to search, in seconds (4)")
        ->option_text("S")
        ->check(CLI::Range(uint64_t{0}, uint64_t{86400}));
    command.add_flag("--once", o->once, "send one search only, wait S seconds and print each camera once");
    command.add_flag("--json", o->json, "print one JSON object per line");
    command.add_flag("--ticks", o->ticks, "also print each search sent");
    command.add_flag("--list", o->list,
                     "print the camera list instead, as the main window shows it after each search "
                     "(with --once, at the end)");
    addLanguageOption(command, &o->language);
}

Subcommand addScanCommand(CLI::App& cli) {
    return addSubcommand<ScanOptions>(cli, {"scan", "list the cameras that answer a search", kScanDescription},
                                      declareScanOptions,
                                      [](const ScanOptions& o) { return runScan(o, "lenscout-cli scan"); });
}

int runScan(const ScanOptions& options, const char* program) {
    selectToolLanguage(options.language);
    ScanPrinter printer(options, program);
    ThreadQueueTarget target(currentThreadId());
    WorkerThread worker;
    const uint32_t period = options.once ? kOneSearchOnly : kSearchPeriodMs;
    if (!worker.start([&target, period] { return DiscoveryThreadProc(&target, period); })) {
        std::fprintf(stderr, "%s: cannot start the discovery thread\n", program);
        return kExitFailed;
    }
    const uint32_t end = tickCount() + static_cast<uint32_t>(options.seconds * 1000);
    bool running = true;
    ThreadMessage m;
    while (running && !tickReached(tickCount(), end)) {
        if (!waitThreadMessage(&m, 50)) continue;
        running = printer.print(m);
        // Each event leaves as it happens, also into a pipe.
        std::fflush(stdout);
    }
    if (running) printer.finish();
    std::fflush(stdout);
    stopWorker(worker);
    discardThreadQueue();
    return running ? kExitOk : kExitFailed;
}

}  // namespace lenscout
