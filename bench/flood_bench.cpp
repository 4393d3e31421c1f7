// The main window under a flood of made-up IDs beside ten real cameras: the
// window's own presenter and list, on this thread, fed by the real worker,
// as the desktop's event loop feeds them. Runs only inside the virtual LAN
// (tools/vlan --hosts 2): the simulator plays the cameras on host 1 and
// lenscout-flood the forger on host 2.
//
//   flood_bench [--ids N] [--seconds S]
//
// Prints the lateness of a 50 ms timer on the window's thread (the 99th
// percentile and the worst), the peak resident memory, and in how many
// sweeps all ten real cameras were listed.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "discovery/message_ids.h"
#include "discovery/thread_queue_target.h"
#include "platform/tick_clock.h"
#include "support/sim_process.h"
#include "tools/common/options.h"
#include "ui/main_window_presenter.h"
#include "ui/memory_list_lines.h"

namespace lenscout {
namespace {

constexpr uint32_t kTimerMs = 50;

class QuietWindow : public MainWindowView {
public:
    void showMessage(int textRow) override { said.push_back(textRow); }
    void setTitle(const std::string&, const std::string&) override {}
    void showWindow() override {}
    int runTrayMenu(const std::vector<TrayMenuEntry>&) override { return 0; }
    void quit() override {}
    std::vector<int> said;
};

long highWaterKib(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

long peakResidentKib() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

int realCamerasListed(const CameraList& list) {
    int n = 0;
    for (const CameraInfo& c : list.cameras()) n += fieldText(c.deviceId).substr(0, 3) == "CAM";
    return n;
}

struct Figures {
    std::vector<uint32_t> lateness;
    int sweeps = 0, completeSweeps = 0;
    size_t found = 0;
};

// The window's loop: the worker's messages as they come, and a timer.
void runWindow(MainWindowPresenter& presenter, uint32_t seconds, Figures* f) {
    const uint32_t end = tickCount() + seconds * 1000;
    uint32_t due = tickCount() + kTimerMs;
    for (uint32_t now = tickCount(); !tickReached(now, end); now = tickCount()) {
        if (tickReached(now, due)) {
            f->lateness.push_back(now - due);
            due = now + kTimerMs;
            continue;
        }
        ThreadMessage m;
        if (!waitThreadMessage(&m, due - now)) continue;
        if (m.message == WM_CAMERA_FOUND) {
            ++f->found;
            presenter.OnCameraFound(takeRecord(m.wParam));
        } else if (m.message == WM_SCAN_TICK) {
            presenter.OnScanTick();
            ++f->sweeps;
            f->completeSweeps += realCamerasListed(presenter.cameraList()) == 10;
        } else {
            releaseMessage(m);
        }
    }
}

// lenscout-cli scan for `seconds` under the same flood, its output thrown
// away: its peak resident memory and how long it took.
void measureScan(uint64_t ids, uint64_t seconds) {
    const char* cli = std::getenv("LENSCOUT_CLI");
    if (!cli) return (void)std::printf("scan: LENSCOUT_CLI not set, skipped\n");
    test::SimProcess flood(
        2, "LENSCOUT_FLOOD",
        {"--kind", "new-ids", "--rate", std::to_string(ids / seconds), "--seconds", std::to_string(seconds + 2)});
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const std::string period = std::to_string(seconds);
    char* args[] = {const_cast<char*>(cli), const_cast<char*>("scan"), const_cast<char*>("--seconds"),
                    const_cast<char*>(period.c_str()), nullptr};
    const uint32_t started = tickCount();
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, cli, &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) return (void)std::printf("scan: cannot start %s\n", cli);
    // Read from the child while it runs: the rusage of a spawned child
    // counts the memory of its parent before the exec.
    int status = 0;
    long peak = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        peak = std::max(peak, highWaterKib(pid));
        usleep(20000);
    }
    std::printf("scan --seconds %llu under the flood: exit %d after %u ms, peak resident %ld KiB\n",
                static_cast<unsigned long long>(seconds), WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                tickCount() - started, peak);
}

int run(int argc, char** argv) {
    uint64_t ids = 30000, seconds = 6;
    CLI::App app("The main window under a flood of made-up IDs. Run it only inside tools/vlan --hosts 2.",
                 "flood_bench");
    app.add_option("--ids", ids, "made-up IDs to send (30000)");
    app.add_option("--seconds", seconds, "over how long (6)")->check(CLI::Range(uint64_t{1}, uint64_t{600}));
    if (const int status = parseToolLine(app, argc, argv); status >= 0) return status;
    SelectLanguage(kEnglish);
    test::SimProcess cameras(1, {"--count", "10", "--delay", "0-200"});
    if (!cameras.ok()) return std::fprintf(stderr, "flood_bench: the simulator did not start\n"), 1;
    QuietWindow view;
    MemoryListLines lines;
    CameraDialogs dialogs;
    MainWindowPresenter presenter(view, lines, dialogs, nullptr);
    ThreadQueueTarget target(currentThreadId());
    if (!presenter.start(&target)) return 1;
    Figures f;
    runWindow(presenter, 4, &f);  // the real cameras first, as at a site
    const long before = peakResidentKib();
    test::SimProcess flood(
        2, "LENSCOUT_FLOOD",
        {"--kind", "new-ids", "--rate", std::to_string(ids / seconds), "--seconds", std::to_string(seconds)});
    if (!flood.ok()) return std::fprintf(stderr, "flood_bench: lenscout-flood did not start\n"), 1;
    f = Figures{};
    runWindow(presenter, static_cast<uint32_t>(seconds) + 3, &f);
    std::sort(f.lateness.begin(), f.lateness.end());
    const uint32_t p99 = f.lateness.empty() ? 0 : f.lateness[f.lateness.size() * 99 / 100];
    std::printf(
        "flood: %llu new IDs in %llu s beside 10 cameras: timer late p99 %u ms, worst %u ms; peak resident %ld KiB "
        "(%ld before the flood); %zu records taken, %d lines listed; all 10 listed in %d of %d sweeps; list-full "
        "said %zu time(s)\n",
        static_cast<unsigned long long>(ids), static_cast<unsigned long long>(seconds), p99,
        f.lateness.empty() ? 0 : f.lateness.back(), peakResidentKib(), before, f.found, lines.count(), f.completeSweeps,
        f.sweeps, view.said.size());
    presenter.stop();
    measureScan(ids, seconds);
    return 0;
}

}  // namespace
}  // namespace lenscout

int main(int argc, char** argv) { return lenscout::run(argc, argv); }
