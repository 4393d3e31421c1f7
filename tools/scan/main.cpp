// lenscout-scan: runs the discovery worker for a while and prints what it
// hands over, for scripts and tests. Run it only inside the virtual LAN.
#include <cstdio>
#include <string>

#include "app/language_setting.h"
#include "app/string_table.h"
#include "app/system_language.h"
#include "discovery/discovery_worker.h"
#include "discovery/message_ids.h"
#include "discovery/thread_queue_target.h"
#include "discovery/worker_control.h"
#include "platform/tick_clock.h"
#include "platform/worker_thread.h"
#include "tools/common/gbk.h"
#include "tools/common/options.h"
#include "tools/scan/scan_format.h"
#include "ui/camera_list.h"
#include "ui/memory_list_lines.h"

namespace {

const char kUsage[] =
    "usage: lenscout-scan [--seconds S] [--json] [--ticks] [--list] [--lang N]\n"
    "Searches for cameras for S seconds (default 4) and prints one line per\n"
    "camera per search and per error; --ticks also prints each search sent.\n"
    "--list prints the camera list instead, as the main window shows it after\n"
    "each search, in language N (0 automatic, 1 English, 2 Simplified and\n"
    "3 Traditional Chinese).\n";

struct ScanOptions {
    uint64_t seconds = 4;
    bool json = false;
    bool ticks = false;
    bool list = false;
    uint64_t language = 0;
};

bool parseOptions(int argc, char** argv, ScanOptions* o) {
    lenscout::ArgWalker args(argc, argv);
    std::string name, value;
    while (args.next(&name)) {
        if (name == "json") o->json = true;
        else if (name == "ticks") o->ticks = true;
        else if (name == "list") o->list = true;
        else if (name == "lang") {
            if (!args.value(&value) || !lenscout::parseUnsigned(value, 3, &o->language)) return false;
        } else if (name != "seconds" || !args.value(&value) || !lenscout::parseUnsigned(value, 86400, &o->seconds))
            return false;
    }
    return true;
}

// The list as the window would show it, printed after every sweep.
struct ListPrinter {
    lenscout::MemoryListLines lines;
    lenscout::CameraList list{lines};
    int sweeps = 0;

    void take(const lenscout::ThreadMessage& m) {
        using namespace lenscout;
        if (m.message == WM_CAMERA_FOUND) list.OnCameraFound(takeRecord(m.wParam));
        if (m.message != WM_SCAN_TICK) return;
        list.OnScanTick();
        std::printf("-- after search %d: %d camera(s)\n", ++sweeps, lines.count());
        for (const std::string& line : lines.lines()) std::printf("%s\n", gbkToUtf8(line).c_str());
    }
};

// Prints one message; false once the worker has reported its own end.
bool print(const lenscout::ThreadMessage& m, const ScanOptions& o, uint32_t started, ListPrinter& printer) {
    using namespace lenscout;
    if (o.list && m.message != WM_SCAN_ERROR) {
        printer.take(m);
    } else if (m.message == WM_CAMERA_FOUND) {
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
    LanguageSetting = static_cast<int>(options.language);
    SelectLanguage(LanguageSetting == 0 ? DetectSystemLanguage() : LanguageSetting);
    ListPrinter printer;
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
        if (waitThreadMessage(&m, 50)) running = print(m, options, started, printer);
    }
    std::fflush(stdout);
    stopWorker(worker);
    discardThreadQueue();
    return running ? 0 : 1;
}
