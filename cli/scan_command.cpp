#include "cli/scan_command.h"

#include <cstdio>
#include <memory>
#include <set>
#include <string>

#include "app/string_table.h"
#include "cli/cli_messages.h"
#include "cli/subcommands.h"
#include "discovery/camera_text.h"
#include "discovery/message_ids.h"
#include "platform/text_codecs.h"
#include "platform/tick_clock.h"
#include "site/exit_status.h"
#include "site/scan_format.h"
#include "ui/camera_list.h"
#include "ui/memory_list_lines.h"

namespace lenscout {

namespace {

// The list as the window would show it, printed after every sweep.
struct ListPrinter {
    MemoryListLines lines;
    CameraList list{lines};
    int sweeps = 0;

    bool found(std::unique_ptr<CameraInfo> record) { return list.OnCameraFound(std::move(record)); }
    void sweep() {
        list.OnScanTick();
        std::printf("-- after search %d: %d camera(s)\n", ++sweeps, lines.count());
        for (const std::string& line : lines.lines()) std::printf("%s\n", terminalSafe(line).c_str());
    }
};

class ScanPrinter {
public:
    explicit ScanPrinter(const ScanOptions& o) : o_(o), started_(tickCount()) {}

    // Prints one event; false once the worker has reported its own end.
    bool print(SearchEvent& e) {
        if (e.message == WM_CAMERA_FOUND) camera(std::move(e.camera));
        else if (e.message == WM_SCAN_TICK)
            tick();
        else if (e.message == WM_SCAN_ERROR) {
            std::printf("%s\n", errorLine(e.code, o_.json).c_str());
            return e.code != kScanSocketFailure;
        }
        return true;
    }
    void finish() {
        if (o_.once && o_.list) list_.sweep();
    }

private:
    void camera(std::unique_ptr<CameraInfo> camera) {
        if (!camera) return;
        if (o_.once) {
            const std::string id(fieldText(camera->deviceId));
            if (printed_.count(id)) return;
            if (printed_.size() >= kMaxListedCameras) return tooMany();
            printed_.insert(id);
        }
        if (!o_.list) std::printf("%s\n", foundCameraLine(*camera, o_.json).c_str());
        else if (!list_.found(std::move(camera)))
            tooMany();
    }
    // Said once: a flood of made-up IDs must not fill the terminal.
    void tooMany() {
        if (saidTooMany_) return;
        saidTooMany_ = true;
        diagnose(CurrentText(kTextTooManyDevices));
    }
    void tick() {
        if (o_.list && !o_.once) list_.sweep();
        if (o_.ticks && !o_.list) std::printf("%s\n", tickLine(tickCount() - started_, o_.json).c_str());
    }

    const ScanOptions& o_;
    uint32_t started_;
    ListPrinter list_;
    std::set<std::string> printed_;
    bool saidTooMany_ = false;
};

}  // namespace

const char kScanDescription[] =
    "Searches for cameras on every network interface for S seconds and prints one line per camera per search "
    "and per error.";

void declareScanOptions(CLI::App& command, ScanOptions* o) {
    addSearchOption(command, &o->searchMs, "how long to search, in seconds");
    command.add_flag("--once", o->once, "send one search only, wait S seconds and print each camera once");
    command.add_flag("--json", o->json, "print one JSON object per line");
    command.add_flag("--ticks", o->ticks, "also print each search sent");
    command.add_flag("--list", o->list,
                     "print the camera list instead, as the main window shows it after each search "
                     "(with --once, at the end)");
    addSettingOptions(command, &o->settings);
    addLanguageOption(command, &o->language);
}

Subcommand addScanCommand(CLI::App& cli) {
    return addSubcommand<ScanOptions>(cli, {"scan", "list the cameras that answer a search", kScanDescription},
                                      declareScanOptions,
                                      [](const ScanOptions& o) { return runScan(o, "lenscout-cli scan"); });
}

// The search says once, under the program's name, when it went out on no
// link: an empty list then has its reason.
int runScan(const ScanOptions& options, const char* program) {
    selectToolLanguage(options.language);
    ScanPrinter printer(options);
    CameraSearch search(options.once ? kOneSearchOnly : kSearchPeriodMs);
    search.onNoInterface([program] { noInterface(program); });
    if (!search.start()) {
        std::fprintf(stderr, "%s: cannot start the discovery thread\n", program);
        return kExitFailed;
    }
    if (!options.once) search.follow(options.settings);
    const uint32_t end = tickCount() + options.searchMs;
    bool running = true;
    SearchEvent event;
    while (running && search.next(end, &event)) {
        running = printer.print(event);
        // Each event leaves as it happens, also into a pipe.
        std::fflush(stdout);
    }
    if (running) printer.finish();
    std::fflush(stdout);
    return running ? kExitOk : kExitFailed;
}

}  // namespace lenscout
