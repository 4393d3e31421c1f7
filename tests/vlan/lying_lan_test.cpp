// A LAN that lies: replies from this computer, addresses no camera holds,
// two devices answering with one ID, and results nobody asked for. Host 1
// and host 2 each run a simulator; the test itself plays the forger on this
// computer.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "discovery/camera_text.h"
#include "discovery/discovery_port.h"
#include "discovery/discovery_worker.h"
#include "discovery/message_ids.h"
#include "platform/socket.h"
#include "support/message_bytes.h"
#include "support/sim_process.h"
#include "support/tool_process.h"
#include "support/worker_run.h"

namespace lenscout {
namespace {

using test::SimProcess;
using test::WorkerRun;

uint32_t address(const char* text) {
    uint32_t a = 0;
    EXPECT_TRUE(parseIpv4(text, &a)) << text;
    return a;
}

std::string env(const char* name) { return std::getenv(name); }

// A search reply written from the wire layout: id:13 name:21 ip:4 mask:4
// gateway:4 dns:4 unused:4 firmware:4 webui:4 port:2.
std::vector<uint8_t> searchReply(const std::string& id, const uint8_t ip[4], uint16_t port) {
    std::vector<uint8_t> p(id.begin(), id.end());
    p.resize(13 + 21, 0);
    p.insert(p.end(), ip, ip + 4);
    const uint8_t rest[] = {255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    p.insert(p.end(), rest, rest + sizeof rest);
    p.push_back(static_cast<uint8_t>(port >> 8));
    p.push_back(static_cast<uint8_t>(port));
    return test::rawMessage("MO_I", 1, p);
}

// Sends `bytes` to the program's port on this computer from `from`.
void sendFrom(const char* from, const char* to, const std::vector<uint8_t>& bytes) {
    Socket s = openUdpSocket();
    ASSERT_TRUE(bindTo(s.get(), address(from), 0));
    ASSERT_GT(sendDatagramTo(s.get(), bytes.data(), bytes.size(), address(to), toNetPort(DISCOVERY_PORT)), 0);
}

bool listed(const WorkerRun& run, const std::string& id) {
    for (const CameraInfo& c : run.records)
        if (fieldText(c.deviceId) == id) return true;
    return false;
}

TEST(LyingLan, RepliesFromThisComputerAreNeverListed) {
    SimProcess sim(1, {"--delay", "0", "--camera", "id=REAL"});
    ASSERT_TRUE(sim.ok());
    WorkerRun run;
    ASSERT_TRUE(run.waitFor(WM_SCAN_TICK, 1000));
    const uint8_t claimed[4] = {192, 168, 77, 150};
    const std::string pc = env("LENSCOUT_PC_ADDR");
    // Another program here, answering as a camera on loopback or on this
    // computer's own address.
    sendFrom("127.0.0.1", "127.0.0.1", searchReply("LOOPED", claimed, 8080));
    sendFrom(pc.c_str(), pc.c_str(), searchReply("OWNADDR", claimed, 8080));
    ASSERT_TRUE(postSearchNow(run.id()));
    run.drain(800);
    EXPECT_TRUE(listed(run, "REAL"));
    EXPECT_FALSE(listed(run, "LOOPED"));
    EXPECT_FALSE(listed(run, "OWNADDR"));
}

TEST(LyingLan, AddressesNoCameraCanHoldAreNeverListed) {
    SimProcess sim(1, {"--delay", "0", "--camera", "id=GOOD,ip=192.168.77.150", "--camera", "id=ZERO,ip=0.1.2.3",
                       "--camera", "id=LOOP,ip=127.0.0.9", "--camera", "id=MULTI,ip=224.0.0.251", "--camera",
                       "id=ALL,ip=255.255.255.255", "--camera", "id=BCAST,ip=192.168.77.255"});
    ASSERT_TRUE(sim.ok());
    WorkerRun run;
    run.drain(1000);
    EXPECT_TRUE(listed(run, "GOOD"));
    for (const char* id : {"ZERO", "LOOP", "MULTI", "ALL", "BCAST"}) EXPECT_FALSE(listed(run, id)) << id;
}

// A camera answers from its own address; a device that answers for one
// elsewhere is kept, with the address it really came from.
TEST(LyingLan, TheSenderIsKeptBesideTheClaimedAddress) {
    SimProcess own(1, {"--delay", "0", "--camera", "id=OWN,ip=192.168.77.150"});
    SimProcess elsewhere(2, {"--shared-address", "--delay", "0", "--camera", "id=ELSEWHERE,ip=192.168.77.151"});
    ASSERT_TRUE(own.ok() && elsewhere.ok());
    WorkerRun run;
    ASSERT_TRUE(postSearchNow(run.id()));
    run.drain(500);
    for (const CameraInfo& c : run.records) {
        const bool isOwn = fieldText(c.deviceId) == "OWN";
        EXPECT_EQ(dottedQuad(c.ip), isOwn ? "192.168.77.150" : "192.168.77.151");
        EXPECT_EQ(dottedQuad(c.sender), isOwn ? "192.168.77.150" : env("LENSCOUT_HOST_ADDR_2"));
        EXPECT_EQ(c.conflict, 0);
    }
    EXPECT_TRUE(listed(run, "OWN") && listed(run, "ELSEWHERE"));
}

// Two cameras cloned with one ID, or a forger answering with a real
// camera's: marked, with the other device, until a whole period passes
// with one of them only.
TEST(LyingLan, TwoDevicesWithOneIdAreMarkedUntilAPeriodPassesWithOne) {
    SimProcess real(1, {"--delay", "0", "--camera", "id=CLONE,ip=192.168.77.150"});
    ASSERT_TRUE(real.ok());
    WorkerRun run;
    {
        SimProcess clone(2, {"--delay", "0-30", "--camera", "id=CLONE,ip=192.168.77.151"});
        ASSERT_TRUE(clone.ok());
        ASSERT_TRUE(postSearchNow(run.id()));
        // Both answer the search asked for within a period; a busy machine
        // may hand the second answer over a slice or two later.
        const auto marked = [&run] { return !run.records.empty() && run.records.back().conflict == 1; };
        for (int waited = 0; waited < 3000 && !marked(); waited += 100) run.drain(100);
        ASSERT_FALSE(run.records.empty());
        const CameraInfo& last = run.records.back();
        EXPECT_EQ(last.conflict, 1);
        // Each answers from the address it claims.
        const std::string senders = dottedQuad(last.sender) + " " + dottedQuad(last.conflictSender);
        EXPECT_TRUE(senders == "192.168.77.150 192.168.77.151" || senders == "192.168.77.151 192.168.77.150")
            << senders;
    }
    // The clone is gone: the period it left in still shows the conflict,
    // a whole period with one device ends it.
    for (int period = 0; period < 3; ++period) {
        run.records.clear();
        ASSERT_TRUE(postSearchNow(run.id()));
        run.drain(300);
    }
    // A search asked for within half a second of the last goes out late,
    // and a slow build may take the answer past the last slice.
    if (run.records.empty()) run.waitFor(WM_CAMERA_FOUND, 2000);
    ASSERT_FALSE(run.records.empty());
    EXPECT_EQ(run.records.back().conflict, 0);
    EXPECT_EQ(dottedQuad(run.records.back().ip), "192.168.77.150");
}

// A result carries no ID. Forged refusals from this computer, sent right
// after the request, must not pass for the camera's.
TEST(LyingLan, AResultCountsOnlyFromTheCameraTheRequestWentTo) {
    SimProcess sim(1, {"--delay", "0", "--camera", "id=TARGET,password=pw"});
    ASSERT_TRUE(sim.ok());
    WorkerRun run;
    ASSERT_TRUE(run.waitFor(WM_CAMERA_FOUND, 1000));
    CameraRequest settings = requestTo(run.records[0]);
    setFieldText(settings.credentials.user, "admin");
    setFieldText(settings.credentials.password, "pw");
    settings.network.httpPort = toNetPort(8081);
    const std::string pc = env("LENSCOUT_PC_ADDR");
    ASSERT_TRUE(postSetNetwork(run.id(), settings));
    const std::vector<uint8_t> refusal = test::rawMessage("MO_I", 3, {5, 0});
    for (int i = 0; i < 20; ++i) {
        sendFrom("127.0.0.1", "127.0.0.1", refusal);
        sendFrom(pc.c_str(), pc.c_str(), refusal);
    }
    EXPECT_TRUE(sim.waitForLine({"cmd=2", "outcome=applied"}, 1000));
    run.drain(800);
    EXPECT_TRUE(run.errors.empty()) << run.errors.size() << " forged refusals passed";
    ASSERT_FALSE(run.records.empty());
    EXPECT_EQ(toHostPort(run.records.back().httpPort), 8081);
}

// A request refused because its camera's link is not known sent nothing:
// refusals from the address it names are then no answer to it.
TEST(LyingLan, ARequestThatWentNowhereWaitsForNoResult) {
    const std::string pc = env("LENSCOUT_PC_ADDR");
    WorkerRun run;
    ASSERT_TRUE(run.waitFor(WM_SCAN_TICK, 1000));
    CameraRequest settings{};
    setFieldText(settings.target.deviceId, "NOWHERE");
    settings.target.sender = address(pc.c_str());
    ASSERT_TRUE(postSetNetwork(run.id(), settings));
    ASSERT_TRUE(run.waitFor(WM_SCAN_ERROR, 1000));
    const std::vector<uint8_t> refusal = test::rawMessage("MO_I", 3, {5, 0});
    for (int i = 0; i < 5; ++i) sendFrom(pc.c_str(), pc.c_str(), refusal);
    run.drain(300);
    EXPECT_EQ(run.errors, std::vector<int32_t>{kScanLinkUnknown});
}

// Results nobody asked for, after every search: none reaches the window,
// and a request's own refusal still does.
TEST(LyingLan, AStormOfResultsReachesNobodyButTheCamerasOwnDoes) {
    SimProcess sim(1, {"--delay", "0", "--result-storm", "200", "--camera", "id=STORMY,password=pw,authfail=5"});
    ASSERT_TRUE(sim.ok());
    WorkerRun run;
    ASSERT_TRUE(run.waitFor(WM_CAMERA_FOUND, 1000));
    CameraRequest settings = requestTo(run.records.back());
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(postSearchNow(run.id()));
        run.drain(200);
    }
    EXPECT_TRUE(run.errors.empty()) << run.errors.size() << " storm results passed";
    setFieldText(settings.credentials.user, "admin");
    setFieldText(settings.credentials.password, "wrong");
    ASSERT_TRUE(postSetNetwork(run.id(), settings));
    ASSERT_TRUE(run.waitFor(WM_SCAN_ERROR, 1000));
    run.drain(300);
    EXPECT_EQ(run.errors, std::vector<int32_t>{5}) << "the camera's own refusal, once";
}

// doctor believes what the worker would: it counts the storm's results as
// unsolicited, names an ID that two devices answer with, and leaves out a
// reply from this computer.
TEST(LyingLan, DoctorSaysWhatWasNotBelieved) {
    SimProcess storm(1, {"--delay", "0", "--result-storm", "3", "--camera", "id=TWIN,ip=192.168.77.150"});
    SimProcess twin(2, {"--delay", "0", "--camera", "id=TWIN,ip=192.168.77.151"});
    ASSERT_TRUE(storm.ok() && twin.ok());
    const std::string pc = env("LENSCOUT_PC_ADDR");
    const uint8_t claimed[4] = {192, 168, 77, 152};
    std::thread forger([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sendFrom(pc.c_str(), pc.c_str(), searchReply("OWNADDR", claimed, 80));
    });
    const test::ToolResult r = test::runTool(env("LENSCOUT_CLI"), {"doctor", "--seconds", "1"});
    forger.join();
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("unsolicited result: 3, ignored"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("conflict: TWIN answers from 192.168.77.150, 192.168.77.151"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("not listed: 1 reply from this computer"), std::string::npos) << r.out;
}

// Ten thousand replies a second for one ID: the window gets the latest of
// each receive slice, not every one.
TEST(LyingLan, AFloodOfOneIdCostsOneRecordPerSlice) {
    WorkerRun run;
    run.keepHistory = false;
    size_t records = 0;
    run.observer = [&](const ThreadMessage&, const CameraInfo* record) { records += record != nullptr; };
    ASSERT_TRUE(run.waitFor(WM_SCAN_TICK, 1000));
    SimProcess flood(2, "LENSCOUT_FLOOD", {"--kind", "one-id", "--id", "SAME", "--rate", "10000", "--seconds", "2"});
    ASSERT_TRUE(flood.ok());
    run.drain(2500);
    EXPECT_GT(records, 0u) << "the flood must reach the worker";
    EXPECT_LT(records, 2000u) << "20000 replies for one ID";
}

// lenscout-cli refuses an ID that two devices answer with, before the
// password leaves the computer: nothing reaches either device.
TEST(LyingLan, TheCommandsSendNothingToAnIdInConflict) {
    const std::string one = env("LENSCOUT_HOST_ADDR_1"), two = env("LENSCOUT_HOST_ADDR_2");
    SimProcess real(1, {"--delay", "0-20", "--camera", "id=TWIN,password=pw,port=8101,ip=" + one});
    // A forger answers from its own address, claiming the camera's.
    SimProcess forger(2,
                      {"--shared-address", "--delay", "0-20", "--camera", "id=TWIN,password=pw,port=8101,ip=" + one});
    ASSERT_TRUE(real.ok() && forger.ok());
    const std::map<std::string, std::string> password = {{"LENSCOUT_PASSWORD", "pw"}, {"LC_ALL", "C.UTF-8"}};
    const std::string cli = env("LENSCOUT_CLI");
    test::ToolResult r =
        test::runTool(cli, {"set-network", "--id", "TWIN", "--http-port", "8102", "--search", "2"}, password);
    EXPECT_EQ(r.status, 8) << r.err;
    EXPECT_NE(r.err.find("TWIN: Two devices answer with this ID !"), std::string::npos) << r.err;

    const std::string image = env("LENSCOUT_VLAN_DIR") + "/twin.bin";
    FILE* f = std::fopen(image.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fputs("BNEG", f);
    for (int i = 0; i < 4096; ++i) std::fputc(i & 0xff, f);
    std::fclose(f);
    r = test::runTool(cli, {"upload", "--kind", "system", image, "--id", "TWIN", "--json", "--search", "2"}, password);
    EXPECT_EQ(r.status, 8) << r.err;
    EXPECT_NE(r.out.find("\"reason\":\"id-conflict\""), std::string::npos) << r.out;

    const std::string plan = env("LENSCOUT_VLAN_DIR") + "/twin.csv";
    f = std::fopen(plan.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fputs("id,http_port\nTWIN,8103\n", f);
    std::fclose(f);
    r = test::runTool(cli, {"provision", plan, "--search", "2"}, password);
    EXPECT_EQ(r.status, 8) << r.err;
    EXPECT_NE(r.err.find("nothing was sent"), std::string::npos) << r.err;

    r = test::runTool(cli, {"inventory", "--json", "--search", "2"}, password);
    EXPECT_NE(r.out.find("\"conflict\":true"), std::string::npos) << r.out;

    for (const SimProcess* sim : {&real, &forger})
        for (const std::string& line : sim->logLines()) {
            EXPECT_EQ(line.find("cmd=2"), std::string::npos) << line;
            EXPECT_EQ(line.find("upload id="), std::string::npos) << line;
        }
}

}  // namespace
}  // namespace lenscout
