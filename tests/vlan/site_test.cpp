// A site as an integrator meets it, with lenscout-cli against simulators on
// the virtual LAN: cameras that take seconds to apply and to refuse, one
// that is switched off, clones behind one address, IDs made to attack a
// terminal, and a run that dies half-way.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "support/sim_process.h"
#include "support/tool_process.h"

namespace lenscout {
namespace {

using test::runTool;
using test::ToolResult;

const char kPassword[] = "s1te-Pw";

class Site : public testing::Test {
protected:
    void SetUp() override {
        dir_ = std::string(std::getenv("LENSCOUT_VLAN_DIR")) + "/site-" +
               testing::UnitTest::GetInstance()->current_test_info()->name();
        mkdir(dir_.c_str(), 0700);
        journal_ = dir_ + "/journal.jsonl";
    }
    static std::string cli() { return std::getenv("LENSCOUT_CLI"); }
    static std::map<std::string, std::string> env(const std::string& password = kPassword) {
        return {{"LENSCOUT_PASSWORD", password}, {"LC_ALL", "C.UTF-8"}};
    }
    std::string write(const std::string& name, const std::string& text) const {
        const std::string path = dir_ + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    ToolResult run(std::vector<std::string> args, const std::string& password = kPassword) const {
        args.insert(args.end(), {"--journal", journal_});
        return runTool(cli(), args, env(password));
    }
    // The set-network requests the simulator took, by what it made of them.
    static size_t requests(const test::SimProcess& sim, const std::string& outcome = "") {
        const auto lines = sim.logLines();
        return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
            return l.find(" cmd=2 ") != std::string::npos && l.find(" outcome=" + outcome) != std::string::npos;
        }));
    }
    static size_t count(const std::string& text, const std::string& part) {
        size_t n = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
        return n;
    }

    std::string dir_, journal_;
};

// Twenty cameras at the factory address that take 2 s to apply a setting
// and 1.5 s to refuse a password: a wrong one reaches one camera, and the
// right one moves all twenty.
TEST_F(Site, AWrongPasswordReachesOneCameraWhenRefusalsComeLate) {
    test::SimProcess sim(
        1, {"--delay", "0-5", "--count", "20", "--set",
            "ip=192.168.77.64,port=8090,settle=2000,result-delay=1500,password=" + std::string(kPassword)});
    ASSERT_TRUE(sim.ok());
    std::string plan = "id,ip\n";
    for (int i = 1; i <= 20; ++i) {
        char row[64];
        std::snprintf(row, sizeof row, "CAM%06d,192.168.77.%d\n", i, 100 + i);
        plan += row;
    }
    const std::string path = write("plan.csv", plan);
    ToolResult r = run({"provision", path, "--search", "2"}, "wrong");
    EXPECT_EQ(r.status, 5) << r.out << r.err;
    EXPECT_EQ(requests(sim), 1u) << r.err;
    EXPECT_EQ(count(r.out, " refused"), 1u) << r.out;
    EXPECT_EQ(count(r.out, " not-sent"), 19u) << r.out;

    r = run({"provision", path, "--search", "2"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(count(r.out, " confirmed"), 20u) << r.out;
    EXPECT_EQ(requests(sim, "applied"), 20u);
}

// One camera of three is switched off: the plan is refused, saying how to
// go on; with --skip-missing the others are provisioned.
TEST_F(Site, ASwitchedOffCameraIsSkippedWhenAsked) {
    test::SimProcess sim(
        1, {"--delay", "0-5", "--camera", "id=SK-1,ip=192.168.77.31,settle=500,password=" + std::string(kPassword),
            "--camera", "id=SK-2,ip=192.168.77.32,settle=500,password=" + std::string(kPassword)});
    ASSERT_TRUE(sim.ok());
    const std::string plan = write("plan.csv",
                                   "id,ip,# where\nSK-1,192.168.77.131,pole 1\nSK-OFF,192.168.77.133,"
                                   "pole 2\nSK-2,192.168.77.132,gate\n");
    ToolResult r = run({"provision", plan, "--search", "2"});
    EXPECT_EQ(r.status, 4) << r.err;
    EXPECT_NE(r.err.find("line 3: SK-OFF: did not answer the search (--skip-missing provisions the others)"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(requests(sim), 0u);

    r = run({"provision", plan, "--search", "2", "--skip-missing", "--json"});
    EXPECT_EQ(r.status, 4) << r.out << r.err;
    EXPECT_NE(r.out.find("\"id\":\"SK-OFF\",\"line\":3"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"outcome\":\"not-found\""), std::string::npos) << r.out;
    EXPECT_EQ(count(r.out, "\"outcome\":\"confirmed\""), 2u) << r.out;
}

// Two clones behind one address answer alike but for their name and
// version: their ID is in conflict, and nothing goes to either.
TEST_F(Site, ClonesBehindOneAddressAreAConflict) {
    const std::string common = "ip=192.168.77.70,port=8070,password=" + std::string(kPassword);
    test::SimProcess sim(1, {"--delay", "0-5", "--camera", "id=CLONE,name=lobby,firmware=1.0.0.1," + common, "--camera",
                             "id=CLONE,name=gate,firmware=1.0.0.2," + common});
    ASSERT_TRUE(sim.ok());
    ToolResult r = run({"set-network", "--id", "CLONE", "--ip", "192.168.77.71", "--search", "2"});
    EXPECT_EQ(r.status, 8) << r.err;
    const std::string image = write("image.bin", "BNEG" + std::string(4096, 'x'));
    r = run({"upload", "--kind", "system", image, "--id", "CLONE", "--search", "2"});
    EXPECT_EQ(r.status, 8) << r.out << r.err;
    r = run({"provision", write("plan.csv", "id,ip\nCLONE,192.168.77.72\n"), "--search", "2"});
    EXPECT_EQ(r.status, 8) << r.err;
    EXPECT_EQ(requests(sim), 0u);
}

// An ID with ESC [ 2 J and BEL reaches no terminal raw: not in the
// shared-address warning, not in the report, not in the journal's printout.
TEST_F(Site, ControlBytesFromACameraNeverReachTheTerminal) {
    const std::string common = ",ip=192.168.77.80,password=" + std::string(kPassword);
    test::SimProcess sim(1, {"--delay", "0-5", "--camera", "id-hex=1b5b324a07" + common, "--camera", "id=SH-2" + common,
                             "--camera", "id=SH-3" + common});
    ASSERT_TRUE(sim.ok());
    const ToolResult r = run({"provision", write("plan.csv", "id,ip\nSH-3,192.168.77.83\n"), "--dry-run"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("warning: 192.168.77.80 is still shared by 2 cameras once the plan is done: "
                         "\\x1b[2J\\x07, SH-2"),
              std::string::npos)
        << r.err;
    for (const std::string& text : {r.out, r.err}) EXPECT_EQ(text.find_first_of("\x1b\x07"), std::string::npos) << text;

    const std::string journal = write("hostile.jsonl",
                                      "{\"time\":\"\\u001b[2J\",\"run\":\"R1\",\"command\":\"provision\",\"event\":"
                                      "\"\\u0007\",\"id\":\"A\\u001b]2;x\\u0007\",\"ip\":\"\\u001b[H\"}\n");
    const ToolResult printed = runTool(cli(), {"journal", "--journal", journal});
    EXPECT_EQ(printed.status, 0) << printed.err;
    EXPECT_EQ(printed.out.find_first_of("\x1b\x07"), std::string::npos) << printed.out;
    EXPECT_NE(printed.out.find("\\x1b[2J  R1  provision  \\x07  A\\x1b]2;x\\x07  \\x1b[H"), std::string::npos)
        << printed.out;
    // A run the journal does not hold is a wrong command line.
    EXPECT_EQ(runTool(cli(), {"journal", "--journal", journal, "--run", "R2"}).status, 2);
    EXPECT_EQ(runTool(cli(), {"journal", "--journal", journal, "--undo-plan", "R2"}).status, 2);
}

// Killed while the fourth camera uploads, the journal already holds the
// outcomes of the three that ended.
TEST_F(Site, EachUploadIsJournalledWhenItEnds) {
    const std::string pw = ",password=" + std::string(kPassword);
    test::SimProcess sim(1, {"--delay", "0-5", "--camera", "id=UJ-1,port=8101" + pw, "--camera",
                             "id=UJ-2,port=8102" + pw, "--camera", "id=UJ-3,port=8103" + pw, "--camera",
                             "id=UJ-4,port=8104,upload=slow-30000" + pw, "--set", "ip=192.168.77.90"});
    ASSERT_TRUE(sim.ok());
    const std::string image = write("image.bin", "BNEG" + std::string(64 * 1024, 'x'));
    test::ToolProcess upload(cli(),
                             {"upload", "--kind", "system", image, "--id", "UJ-1", "--id", "UJ-2", "--id", "UJ-3",
                              "--id", "UJ-4", "--search", "2", "--journal", journal_},
                             env());
    // The fourth has its attempt line once the other three have ended.
    for (int waited = 0; waited < 30000 && test::fileText(journal_).find("\"id\":\"UJ-4\"") == std::string::npos;
         waited += 100)
        usleep(100 * 1000);
    ::kill(upload.pid(), SIGKILL);
    upload.finish(5000);
    const std::string lines = test::fileText(journal_);
    for (const char* id : {"UJ-1", "UJ-2", "UJ-3"})
        EXPECT_NE(lines.find(std::string("\"event\":\"outcome\",\"id\":\"") + id), std::string::npos) << id << "\n"
                                                                                                      << lines;
    EXPECT_EQ(lines.find("\"event\":\"outcome\",\"id\":\"UJ-4\""), std::string::npos) << lines;
}

// Three cameras moved off one factory address are put back one at a time:
// one plan would move them all onto one address, which a plan never does.
TEST_F(Site, AFactorySiteIsPutBackOneAtATime) {
    test::SimProcess sim(1, {"--delay", "0-5", "--first", "301", "--count", "3", "--set",
                             "ip=192.168.77.64,port=8090,settle=500,password=" + std::string(kPassword)});
    ASSERT_TRUE(sim.ok());
    ToolResult r = run({"provision",
                        write("plan.csv",
                              "id,ip\nCAM000301,192.168.77.141\nCAM000302,192.168.77.142\n"
                              "CAM000303,192.168.77.143\n"),
                        "--search", "2"});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    const std::string lines = test::fileText(journal_);
    const size_t at = lines.find("\"run\":\"");
    ASSERT_NE(at, std::string::npos) << lines;
    const std::string id = lines.substr(at + 7, lines.find('"', at + 7) - at - 7);

    r = runTool(cli(), {"journal", "--journal", journal_, "--undo-plan", id});
    EXPECT_EQ(r.status, 3) << r.out;
    EXPECT_NE(r.err.find("3 cameras of run " + id + " were at 192.168.77.64 before it"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("--one-by-one DIR"), std::string::npos) << r.err;

    const std::string plans = dir_ + "/undo";
    mkdir(plans.c_str(), 0700);
    r = runTool(cli(), {"journal", "--journal", journal_, "--undo-plan", id, "--one-by-one", plans});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> commands;
    for (size_t from = 0, end; (end = r.out.find('\n', from)) != std::string::npos; from = end + 1)
        commands.push_back(r.out.substr(from, end - from));
    ASSERT_EQ(commands.size(), 3u) << r.out;
    for (const std::string& command : commands) {
        const std::string prefix = "lenscout-cli provision ";
        ASSERT_EQ(command.rfind(prefix, 0), 0u) << command;
        const std::string plan = command.substr(prefix.size(), command.find(' ', prefix.size()) - prefix.size());
        EXPECT_NE(test::fileText(plan).find(",192.168.77.64,"), std::string::npos) << test::fileText(plan);
        const ToolResult back = run({"provision", plan, "--allow-shared", "--search", "2"});
        EXPECT_EQ(back.status, 0) << back.out << back.err;
        EXPECT_NE(back.out.find(" confirmed"), std::string::npos) << back.out;
    }
    r = runTool(cli(), {"inventory", "--search", "2"});
    for (const char* camera : {"CAM000301", "CAM000302", "CAM000303"}) {
        const size_t row = r.out.find(std::string("\n") + camera + ",");
        ASSERT_NE(row, std::string::npos) << r.out;
        const std::string line = r.out.substr(row + 1, r.out.find('\n', row + 1) - row - 1);
        EXPECT_NE(line.find(",192.168.77.64,"), std::string::npos) << line;
    }
}

// A script gets its JSON whatever happens, and with --progress json every
// diagnostic is a JSON event too; an inventory of nothing is status 4.
TEST_F(Site, JsonWhateverHappens) {
    ToolResult r = runTool(cli(), {"inventory", "--search", "1"});
    EXPECT_EQ(r.status, 4);
    EXPECT_NE(r.err.find("no camera answered the search"), std::string::npos) << r.err;

    r = run({"set-network", "--id", "NOBODY", "--ip", "192.168.77.44", "--search", "1", "--json"});
    EXPECT_EQ(r.status, 4) << r.err;
    EXPECT_EQ(r.out, "{\"id\":\"NOBODY\",\"outcome\":\"not-found\"}\n");

    test::SimProcess sim(1,
                         {"--delay", "0-5", "--camera", "id=JS-1,ip=192.168.77.51,password=" + std::string(kPassword)});
    ASSERT_TRUE(sim.ok());
    const std::string plan = write("plan.csv", "id,ip\nJS-1,192.168.77.52\nNOBODY,192.168.77.53\n");
    r = run({"provision", plan, "--search", "1", "--json", "--progress", "json"});
    EXPECT_EQ(r.status, 4) << r.err;
    EXPECT_NE(r.out.find("{\"id\":\"JS-1\",\"line\":2,\"current\":{"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"outcome\":\"not-sent\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("{\"id\":\"NOBODY\",\"line\":3,\"current\":null,"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"outcome\":\"not-found\",\"problems\":[\"line 3: NOBODY: did not answer the search"),
              std::string::npos)
        << r.out;
    ASSERT_FALSE(r.err.empty());
    // set-network is a plan of one row, with every rule of provision: the
    // gateway's address is no camera's.
    const ToolResult gateway = run({"set-network", "--id", "JS-1", "--ip", "192.168.77.1", "--search", "1", "--json"});
    EXPECT_EQ(gateway.status, 3) << gateway.err;
    EXPECT_NE(gateway.err.find("JS-1: 192.168.77.1 is its gateway's address"), std::string::npos) << gateway.err;
    EXPECT_NE(gateway.out.find("\"outcome\":\"invalid\""), std::string::npos) << gateway.out;
    const std::string event = "{\"event\":\"diagnostic\",\"message\":\"";
    for (size_t from = 0, end; (end = r.err.find('\n', from)) != std::string::npos; from = end + 1)
        EXPECT_EQ(r.err.compare(from, event.size(), event), 0) << r.err;
    EXPECT_EQ(requests(sim), 0u);
}

// A flood of made-up IDs from one host fills no more than half the list:
// the real cameras are listed, and the shortened list is said.
TEST_F(Site, AFloodLeavesRoomForTheRealCameras) {
    // They answer after the flood has had time to fill any list.
    test::SimProcess sim(1, {"--delay", "300-400", "--first", "401", "--count", "3"});
    ASSERT_TRUE(sim.ok());
    test::SimProcess flood(2, "LENSCOUT_FLOOD", {"--kind", "new-ids", "--rate", "50000", "--seconds", "8"});
    ASSERT_TRUE(flood.ok());
    const ToolResult r = runTool(cli(), {"inventory", "--search", "5"});
    EXPECT_EQ(r.status, 0) << r.err;
    for (const char* camera : {"CAM000401,", "CAM000402,", "CAM000403,"})
        EXPECT_NE(r.out.find(std::string("\n") + camera), std::string::npos) << camera;
    EXPECT_LE(count(r.out, "\n"), 4097u);
    EXPECT_NE(r.err.find("More devices answer than can be listed"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace lenscout
