// The discovery worker against simulated cameras on the virtual LAN.
#include "discovery/discovery_worker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <new>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "discovery/camera_text.h"
#include "discovery/discovery_messages.h"
#include "discovery/message_ids.h"
#include "platform/socket.h"
#include "support/message_bytes.h"
#include "support/sim_process.h"
#include "support/worker_run.h"
#include "tools/common/hex.h"
#include "ui/worker_settings.h"

namespace lenscout {
namespace {

using test::SimProcess;
using test::WorkerRun;

// clang-format off
const std::string kSearchHex = "hex=4d4f5f49" "0000" "00" "0000000000000000" "04000000" "04000000" "00000001";
// clang-format on

size_t countLines(const SimProcess& sim, const std::string& part) {
    const auto lines = sim.logLines();
    return static_cast<size_t>(std::count_if(lines.begin(), lines.end(),
                                             [&](const std::string& l) { return l.find(part) != std::string::npos; }));
}

// The same-subnet flag of the camera's first record; -1 when it was not found.
int subnetFlag(const WorkerRun& run, const char* id) {
    for (const CameraInfo& c : run.records)
        if (fieldText(c.deviceId) == id) return static_cast<int>(c.sameSubnet);
    return -1;
}

bool hasCamera(const WorkerRun& run, const char* id) {
    return std::any_of(run.records.begin(), run.records.end(),
                       [&](const CameraInfo& c) { return fieldText(c.deviceId) == id; });
}

// The camera that answered first; an empty record when none did.
CameraInfo firstAnswer(WorkerRun& run) {
    EXPECT_TRUE(run.waitFor(WM_CAMERA_FOUND, 1000));
    return run.records.empty() ? CameraInfo{} : run.records[0];
}

TEST(DiscoveryWorker, SearchesAtOnceThenEveryPeriod) {
    SimProcess sim(1, {"--count", "2", "--delay", "0"});
    ASSERT_TRUE(sim.ok());
    WorkerRun run;
    ASSERT_TRUE(run.waitFor(WM_SCAN_TICK, 1000));
    EXPECT_LT(run.ticks[0] - run.startedAt, 200u);
    ASSERT_TRUE(run.waitFor(WM_SCAN_TICK, 3500));
    // Timed where the ticks are taken, which on a busy machine may be tens
    // of milliseconds after the worker posted each; the worker's own period
    // is 3000 ms, and a search asked for comes 500 ms after the last.
    const uint32_t period = run.ticks[1] - run.ticks[0];
    EXPECT_GE(period, 2900u);
    EXPECT_LE(period, 3250u);
    EXPECT_TRUE(hasCamera(run, "CAM000001"));
    EXPECT_TRUE(hasCamera(run, "CAM000002"));
    ASSERT_TRUE(sim.waitForLine({"from=192.168.77.1:10000", "cmd=0", kSearchHex}, 500));
    // The second search was sent just now; give the simulator a moment to log it.
    for (int i = 0; i < 25 && countLines(sim, kSearchHex) < 2; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(countLines(sim, kSearchHex), 2u);
    EXPECT_TRUE(run.errors.empty());
}

// A new period, set as the menus and --period set it, counts from the last
// search: shorter, and the next search is due a second after it; longer, and
// none comes at the old time. One posted before the first search leaves that
// one at once.
TEST(DiscoveryWorker, ANewPeriodCountsFromTheLastSearch) {
    WorkerRun run;
    ASSERT_TRUE(applyToWorker(run.id(), searchPeriodSetting(), 1));
    ASSERT_TRUE(run.waitFor(WM_SCAN_TICK, 1000));
    EXPECT_LT(run.ticks[0] - run.startedAt, 200u);
    ASSERT_TRUE(run.waitFor(WM_SCAN_TICK, 1500));
    EXPECT_GE(run.ticks[1] - run.ticks[0], 900u);
    EXPECT_LE(run.ticks[1] - run.ticks[0], 1250u);
    ASSERT_TRUE(applyToWorker(run.id(), searchPeriodSetting(), 10));
    run.drain(3500);
    EXPECT_EQ(run.ticks.size(), 2u) << "no search at the old period's times";
    ASSERT_TRUE(applyToWorker(run.id(), searchPeriodSetting(), 1));
    ASSERT_TRUE(run.waitFor(WM_SCAN_TICK, 400)) << "the shorter period has long passed: at once";
}

// A search asked for goes out at once, but never sooner than 500 ms after
// the last: a flood of requests is no flood of broadcasts.
TEST(DiscoveryWorker, SearchNowSearchesSoonAndRestartsThePeriod) {
    WorkerRun run;
    ASSERT_TRUE(run.waitFor(WM_SCAN_TICK, 1000));
    run.drain(1000);
    ASSERT_TRUE(postSearchNow(run.id()));
    ASSERT_TRUE(run.waitFor(WM_SCAN_TICK, 400)) << "a second after the last search: at once";
    const auto asked = std::chrono::steady_clock::now();
    ASSERT_TRUE(postSearchNow(run.id()));
    ASSERT_TRUE(postSearchNow(run.id()));
    ASSERT_TRUE(run.waitFor(WM_SCAN_TICK, 1000));
    EXPECT_GE(std::chrono::steady_clock::now() - asked, std::chrono::milliseconds(450));
    run.drain(2700);
    EXPECT_EQ(run.ticks.size(), 3u) << "two asks within the gap are one search; the period restarts from it";
    EXPECT_TRUE(run.waitFor(WM_SCAN_TICK, 700));
}

TEST(DiscoveryWorker, SetNetworkReachesTheCameraByteForByteThenSearches) {
    SimProcess sim(1, {"--camera", "password=pw", "--delay", "0"});
    ASSERT_TRUE(sim.ok());
    WorkerRun run;
    CameraRequest settings = requestTo(firstAnswer(run));
    setFieldText(settings.credentials.user, "admin");
    setFieldText(settings.credentials.password, "pw");
    parseIpv4("192.168.77.150", &settings.network.ip);
    settings.network.httpPort = toNetPort(8080);
    // clang-format off
    const std::string expected = "4d4f5f49" "0200" "00" "0000000000000000" "3d000000" "3d000000" "00000001"
                                 "43414d303030303031" "00000000"   // CAM000001
                                 "61646d696e" "0000000000000000"   // admin
                                 "7077" "0000000000000000000000"   // pw
                                 "c0a84d96" "ffffff00" "c0a84d01" "c0a84d01" "1f90";
    // clang-format on

    const size_t ticksBefore = run.ticks.size();
    ASSERT_TRUE(postSetNetwork(run.id(), settings));
    ASSERT_TRUE(run.waitFor(WM_SCAN_TICK, 1000));
    EXPECT_EQ(run.ticks.size(), ticksBefore + 1);
    EXPECT_TRUE(sim.waitForLine({"cmd=2", "hex=" + expected + " outcome=applied"}, 500));
    ASSERT_TRUE(run.waitFor(WM_CAMERA_FOUND, 500));
    EXPECT_EQ(dottedQuad(run.records.back().ip), "192.168.77.150");
    EXPECT_EQ(toHostPort(run.records.back().httpPort), 8080);
    EXPECT_TRUE(run.errors.empty()) << "result code 0 is no error";
}

TEST(DiscoveryWorker, WrongCredentialsBringTheCamerasCode) {
    SimProcess sim(1, {"--camera", "password=pw,authfail=5", "--delay", "0"});
    ASSERT_TRUE(sim.ok());
    WorkerRun run;
    CameraRequest settings = requestTo(firstAnswer(run));
    setFieldText(settings.credentials.password, "nope");
    ASSERT_TRUE(postSetNetwork(run.id(), settings));
    ASSERT_TRUE(run.waitFor(WM_SCAN_ERROR, 1000));
    EXPECT_EQ(run.errors, std::vector<int32_t>{5});
    EXPECT_TRUE(sim.waitForLine({"cmd=2", "outcome=bad-credentials"}, 500));
}

// The worker's own searches, heard back, are no cameras; a request to a
// camera never heard goes nowhere, and only that is said.
TEST(DiscoveryWorker, OwnBroadcastsProduceNothing) {
    WorkerRun run;
    ASSERT_TRUE(run.waitFor(WM_SCAN_TICK, 1000));
    CameraRequest settings{};
    setFieldText(settings.target.deviceId, "NOBODY");
    ASSERT_TRUE(postSetNetwork(run.id(), settings));
    ASSERT_TRUE(run.waitFor(WM_SCAN_ERROR, 1000));
    run.drain(300);
    EXPECT_TRUE(run.records.empty());
    EXPECT_EQ(run.errors, std::vector<int32_t>{kScanLinkUnknown});
}

TEST(DiscoveryWorker, MalformedDatagramsAndForeignCodesCannotEndIt) {
    WorkerRun run;
    ASSERT_TRUE(run.waitFor(WM_SCAN_TICK, 1000));
    Socket peer = openUdpSocket();
    uint32_t loopback = 0;
    parseIpv4("127.0.0.1", &loopback);
    auto send = [&](const std::vector<uint8_t>& d) {
        sendDatagramTo(peer.get(), d.data(), d.size(), loopback, toNetPort(DISCOVERY_PORT));
    };
    send({});
    send(test::rawMessage("MO_I", CMD_RESULT, {0xfe, 0xff}));  // 65534, read as -2
    send(test::rawMessage("MO_I", CMD_RESULT, {0, 0}));
    send(test::rawMessage("MO_I", CMD_RESULT, {5, 0}));
    send(test::rawMessage("MO_I", CMD_RESULT, {0xff, 0xff}));  // 65535, read as -1
    send(test::rawMessage("MO_I", CMD_SEARCH_REPLY, std::vector<uint8_t>(63, 'x')));
    send({'M', 'O', '_', 'I', 1});
    run.drain(300);
    ASSERT_TRUE(postSearchNow(run.id()));
    EXPECT_TRUE(run.waitFor(WM_SCAN_TICK, 1000)) << "the worker is still running";
    EXPECT_TRUE(run.errors.empty()) << "results that no request asked for, from this computer";
    EXPECT_TRUE(run.records.empty());
}

TEST(DiscoveryWorker, FallsBackSilentlyWhenThePortIsTaken) {
    Socket taken = openUdpSocket();
    ASSERT_TRUE(bindAny(taken.get(), toNetPort(DISCOVERY_PORT)));
    SimProcess sim(1, {"--delay", "0"});
    ASSERT_TRUE(sim.ok());
    WorkerRun run;
    ASSERT_TRUE(run.waitFor(WM_CAMERA_FOUND, 1000));
    std::string line;
    ASSERT_TRUE(sim.waitForLine({"cmd=0"}, 500, &line));
    EXPECT_EQ(line.find("from=192.168.77.1:10000 "), std::string::npos) << line;
    EXPECT_TRUE(run.errors.empty());
}

// Cameras send more than the system reads: longer replies, results with
// trailing bytes, text fields with junk after their zero.
TEST(DiscoveryWorker, RepliesLongerThanTheMinimumAreRead) {
    SimProcess sim(1, {"--delay", "0", "--reply-extra", "16", "--text-junk", "--camera",
                       "id=LONG,name=Hall,ip=192.168.77.130,password=pw,authfail=6"});
    ASSERT_TRUE(sim.ok());
    WorkerRun run;
    ASSERT_TRUE(run.waitFor(WM_CAMERA_FOUND, 1000));
    EXPECT_EQ(fieldText(run.records[0].deviceId), "LONG");
    EXPECT_EQ(fieldText(run.records[0].name), "Hall");
    EXPECT_EQ(dottedQuad(run.records[0].ip), "192.168.77.130");
    CameraRequest settings = requestTo(run.records[0]);
    setFieldText(settings.credentials.password, "nope");
    ASSERT_TRUE(postSetNetwork(run.id(), settings));
    ASSERT_TRUE(run.waitFor(WM_SCAN_ERROR, 1000));
    EXPECT_EQ(run.errors, std::vector<int32_t>{6});
}

// Replies of over 4 KiB, arriving together: the ones behind the first come
// through the burst drain, and must be listed in every period all the same.
TEST(DiscoveryWorker, LongRepliesInABurstAreListedEveryPeriod) {
    SimProcess sim(1, {"--delay", "0", "--reply-extra", "5000", "--camera", "id=LONG1,ip=192.168.77.131", "--camera",
                       "id=LONG2,ip=192.168.77.132", "--camera", "id=LONG3,ip=192.168.77.133"});
    ASSERT_TRUE(sim.ok());
    WorkerRun run;
    run.drain(2 * kSearchPeriodMs + 500);
    ASSERT_EQ(run.ticks.size(), 3u);
    for (const char* id : {"LONG1", "LONG2", "LONG3"}) {
        const auto times = std::count_if(run.records.begin(), run.records.end(),
                                         [&](const CameraInfo& c) { return fieldText(c.deviceId) == id; });
        EXPECT_EQ(times, 3) << id << " in each of the three periods";
    }
}

// A camera that answers by broadcast reaches the worker only on the port the
// worker broadcasts to; such a camera may sit in any subnet.
TEST(BroadcastReplies, AreListedWhileTheWorkerHoldsThePort) {
    SimProcess sim(1, {"--delay", "0", "--reply-broadcast", "--camera", "id=NEAR,ip=192.168.77.120", "--camera",
                       "id=FOREIGN,ip=10.1.2.3,mask=255.255.0.0"});
    ASSERT_TRUE(sim.ok());
    WorkerRun run;
    run.drain(800);
    EXPECT_EQ(subnetFlag(run, "NEAR"), 1);
    EXPECT_EQ(subnetFlag(run, "FOREIGN"), 0);
    // It hears broadcasts, its own searches among them, and they make no record.
    for (const CameraInfo& c : run.records)
        EXPECT_TRUE(fieldText(c.deviceId) == "NEAR" || fieldText(c.deviceId) == "FOREIGN");
    EXPECT_TRUE(run.errors.empty());
}

TEST(BroadcastReplies, MissTheWorkerOnTheFallBackPort) {
    Socket taken = openUdpSocket();
    ASSERT_TRUE(bindAny(taken.get(), toNetPort(DISCOVERY_PORT)));
    SimProcess sim(1, {"--delay", "0", "--reply-broadcast", "--camera", "id=NEAR,ip=192.168.77.120"});
    SimProcess plain(2, {"--delay", "0", "--camera", "id=UNICAST,ip=192.168.77.121"});
    ASSERT_TRUE(sim.ok() && plain.ok());
    WorkerRun run;
    run.drain(800);
    EXPECT_TRUE(hasCamera(run, "UNICAST")) << "the worker does run";
    EXPECT_FALSE(hasCamera(run, "NEAR"));
}

// Cameras that answer on the list's second port, to this computer or by
// broadcast, are heard there while the first port searches; a worker that
// holds the first port alone does not hear them.
TEST(BroadcastReplies, ReachTheWorkerOnEveryPortOfTheList) {
    const uint16_t second = DISCOVERY_PORT + 1;
    SimProcess direct(1, {"--delay", "0", "--reply-port", std::to_string(second), "--camera", "id=DIRECT"});
    SimProcess wide(2, {"--delay", "0", "--reply-broadcast", "--reply-port", std::to_string(second), "--camera",
                        "id=WIDE,ip=192.168.77.121"});
    ASSERT_TRUE(direct.ok() && wide.ok());
    {
        WorkerRun firstOnly({DISCOVERY_PORT});
        firstOnly.drain(800);
        EXPECT_FALSE(hasCamera(firstOnly, "DIRECT") || hasCamera(firstOnly, "WIDE"));
    }
    WorkerRun run({DISCOVERY_PORT, second});
    run.drain(800);
    EXPECT_TRUE(hasCamera(run, "DIRECT"));
    EXPECT_TRUE(hasCamera(run, "WIDE"));
    EXPECT_TRUE(run.errors.empty());
}

TEST(DiscoveryWorker, QuitEndsItWithinAboutOneSlice) {
    WorkerRun run;
    ASSERT_TRUE(run.waitFor(WM_SCAN_TICK, 1000));
    const uint32_t took = run.quit();
    EXPECT_LE(took, 250u);
    EXPECT_EQ(run.exitCode(), 0u);
    EXPECT_TRUE(run.errors.empty());
}

TEST(DiscoveryWorker, MarksCamerasOutsideTheSubnet) {
    // The computer is 192.168.77.1/24. NARROW's address masked either way
    // gives 192.168.77.0, but its mask is not the interface's.
    SimProcess sim(1, {"--delay", "0", "--camera", "id=LOCAL,ip=192.168.77.201", "--camera", "id=FAR,ip=10.1.2.3",
                       "--camera", "id=WIDE,ip=192.168.77.202,mask=255.255.0.0", "--camera",
                       "id=NARROW,ip=192.168.77.5,mask=255.255.255.128"});
    ASSERT_TRUE(sim.ok());
    WorkerRun run;
    run.drain(500);
    EXPECT_EQ(subnetFlag(run, "LOCAL"), 1);
    EXPECT_EQ(subnetFlag(run, "FAR"), 0);
    EXPECT_EQ(subnetFlag(run, "WIDE"), 0);
    EXPECT_EQ(subnetFlag(run, "NARROW"), 0);
}

// A window whose queue cannot take the first tick, as on a full heap.
struct ExhaustedWindow : MessageTarget {
    std::vector<std::pair<uint32_t, int32_t>> taken;
    bool postMessage(uint32_t message, uintptr_t wParam, intptr_t) override {
        if (message == WM_SCAN_TICK) throw std::bad_alloc();
        if (message == WM_CAMERA_FOUND) takeRecord(wParam);
        taken.emplace_back(message, message == WM_SCAN_ERROR ? paramCode(wParam) : 0);
        return true;
    }
};

TEST(DiscoveryWorker, RunningOutOfMemoryEndsTheWorkerAsItsFailureNotTheProcess) {
    ExhaustedWindow window;
    EXPECT_EQ(DiscoveryThreadProc(&window), 0u);
    ASSERT_FALSE(window.taken.empty());
    EXPECT_EQ(window.taken.back(), std::make_pair(WM_SCAN_ERROR, int32_t{-2}));
}

TEST(DiscoveryWorker, ReadsScrambledRepliesAndDropsStrayBytes) {
    SimProcess scrambled(
        1, {"--delay", "0", "--camera", "id=SCRAMBLED,name=Gate camera", "--scramble", "0102030405060708"});
    SimProcess stray(2, {"--delay", "0", "--camera", "id=STRAY", "--stray", "3"});
    ASSERT_TRUE(scrambled.ok() && stray.ok());
    WorkerRun run;
    run.drain(500);
    ASSERT_TRUE(hasCamera(run, "SCRAMBLED"));
    EXPECT_EQ(fieldText(run.records[0].name), "Gate camera");
    EXPECT_FALSE(hasCamera(run, "STRAY"));
}

}  // namespace
}  // namespace lenscout
