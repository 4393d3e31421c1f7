// What a small or slow site shows that a busy one hides: the lines of one
// camera through a pipe, and a second device that answers for an ID late,
// on another link. The computer has two links here, a camera host on each.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "support/sim_process.h"
#include "support/tool_process.h"

namespace lenscout {
namespace {

using Clock = std::chrono::steady_clock;

std::string cli() { return std::getenv("LENSCOUT_CLI"); }
std::string scanner() { return cli().substr(0, cli().rfind('/')) + "/lenscout-scan"; }

// Each line that `command` writes into a pipe, with when it arrived, in ms
// from the start.
struct TimedLine {
    long ms;
    std::string line;
};
std::vector<TimedLine> linesThroughAPipe(const std::string& command) {
    const auto start = Clock::now();
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::vector<TimedLine> lines;
    char line[4096];
    while (pipe && std::fgets(line, sizeof line, pipe.get()))
        lines.push_back(
            {static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count()),
             line});
    return lines;
}

// A script that waits for its camera (`lenscout-scan | grep -m1 CAM`) sees
// it within a search period, and each tick within a second of it: one
// camera writes far less than a pipe's buffer.
TEST(QuietSite, OneCamerasLinesLeaveAsTheyHappenIntoAPipe) {
    test::SimProcess sim(1, {"--delay", "0-5", "--camera", "id=ALONE,ip=192.168.77.61"});
    ASSERT_TRUE(sim.ok());
    for (const std::string& command : {scanner() + " --ticks --search 7", cli() + " scan --ticks --search 7"}) {
        const std::vector<TimedLine> lines = linesThroughAPipe(command);
        bool camera = false;
        int ticks = 0;
        for (const TimedLine& a : lines) {
            if (!camera && a.line.find("ALONE") != std::string::npos) {
                camera = true;
                EXPECT_LT(a.ms, 3000) << command << ": the camera's line came at " << a.ms << " ms";
            }
            const size_t at = a.line.find("at_ms=");
            if (at == std::string::npos) continue;
            ++ticks;
            const long tick = std::atol(a.line.c_str() + at + 6);
            EXPECT_LT(a.ms - tick, 1000) << command << ": the tick of " << tick << " ms came at " << a.ms << " ms";
        }
        EXPECT_TRUE(camera) << command;
        EXPECT_GE(ticks, 2) << command;
    }
}

// A second device that answers with the ID 300 to 700 ms after the first,
// on the other link, is heard within the identity wait: each command that
// acts on the ID refuses it, and nothing is sent to either device.
TEST(QuietSite, ASecondDeviceThatAnswersLateIsAConflict) {
    const std::string dir = std::string(std::getenv("LENSCOUT_VLAN_DIR")) + "/quiet";
    test::SimProcess first(1, {"--delay", "0-5", "--camera", "id=LATE,ip=192.168.77.62,password=pw"});
    test::SimProcess second(2, {"--delay", "300-700", "--camera", "id=LATE,ip=192.168.78.62,password=pw"});
    ASSERT_TRUE(first.ok() && second.ok());
    const std::map<std::string, std::string> env = {{"LENSCOUT_PASSWORD", "pw"}, {"LC_ALL", "C.UTF-8"}};
    mkdir(dir.c_str(), 0700);
    const std::string plan = dir + "/plan.csv", image = dir + "/image.bin";
    std::ofstream(plan) << "id,http_port\nLATE,8095\n";
    std::ofstream(image, std::ios::binary) << "BNEG" + std::string(4096, 'x');
    const std::vector<std::vector<std::string>> commands = {
        {"set-network", "--id", "LATE", "--http-port", "8095"},
        {"upload", "--kind", "system", image, "--id", "LATE"},
        {"provision", plan},
    };
    for (std::vector<std::string> args : commands) {
        args.insert(args.end(), {"--search", "4", "--no-journal"});
        const test::ToolResult r = test::runTool(cli(), args, env);
        EXPECT_EQ(r.status, 8) << args[0] << ": " << r.out << r.err;
    }
    for (const test::SimProcess* sim : {&first, &second})
        for (const std::string& line : sim->logLines()) EXPECT_EQ(line.find(" cmd=2 "), std::string::npos) << line;
}

}  // namespace
}  // namespace lenscout
