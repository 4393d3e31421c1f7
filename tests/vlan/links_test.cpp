// Discovery on a computer with several links and no default route, with
// links pulled and put back while the worker runs. The virtual LAN of these
// tests (see tests/CMakeLists.txt):
//   link 1, lan0: 192.168.77.1/24 and 10.77.0.1/24; host 1 192.168.77.11,
//                 host 3 10.77.0.13 (no route to 192.168.77.0/24)
//   link 2, lan1: 192.168.78.1/24; host 2 192.168.78.12
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <thread>

#include "discovery/camera_text.h"
#include "discovery/discovery_messages.h"
#include "discovery/discovery_worker.h"
#include "discovery/message_ids.h"
#include "platform/broadcast.h"
#include "platform/socket.h"
#include "support/message_bytes.h"
#include "support/sim_process.h"
#include "support/tool_process.h"
#include "support/vlan_link.h"
#include "support/worker_run.h"
#include "tools/common/hex.h"

namespace lenscout {
namespace {

using test::SimProcess;
using test::WorkerRun;
using Period = std::set<std::string>;

// Whatever a test did to the links, the next one starts from the plain
// layout: both links plugged, no default route.
class Links : public testing::Test {
protected:
    void SetUp() override {
        one.emplace(1, std::vector<std::string>{"--delay", "0", "--camera", "id=L1,ip=192.168.77.101"});
        two.emplace(2, std::vector<std::string>{"--delay", "0", "--camera", "id=L2,ip=192.168.78.101,password=pw"});
        sub.emplace(3, std::vector<std::string>{"--delay", "0", "--camera", "id=SUB,ip=10.77.0.101"});
        ASSERT_TRUE(one->ok() && two->ok() && sub->ok());
    }
    void TearDown() override {
        test::changeLink("route", "none");
        test::changeLink("plug", "1");
        test::changeLink("plug", "2");
    }

    std::optional<SimProcess> one, two, sub;
};

// The camera IDs listed in each of the next `count` whole search periods.
std::vector<Period> periods(WorkerRun& run, size_t count) {
    std::vector<Period> seen;
    size_t ticks = 0;
    run.observer = [&](const ThreadMessage& m, const CameraInfo* camera) {
        if (m.message == WM_SCAN_TICK && ++ticks <= count) seen.emplace_back();
        if (camera && ticks >= 1 && ticks <= count) seen.back().insert(std::string(fieldText(camera->deviceId)));
    };
    for (size_t i = 0; i <= count + 1 && ticks <= count; ++i) run.waitFor(WM_SCAN_TICK, kSearchPeriodMs + 500);
    run.observer = nullptr;
    return seen;
}

// The lParam of the next WM_SCAN_TICK, or -1 when none came.
intptr_t nextTickParam(WorkerRun& run) {
    intptr_t param = -1;
    run.observer = [&](const ThreadMessage& m, const CameraInfo*) {
        if (m.message == WM_SCAN_TICK) param = m.lParam;
    };
    run.waitFor(WM_SCAN_TICK, kSearchPeriodMs + 500);
    run.observer = nullptr;
    return param;
}

// The set-network requests for camera `id` that reached a simulator, its
// own cameras' or not: the ID stands at byte 27, after the header and tag.
size_t setNetworkRequests(const SimProcess& sim, const std::string& id) {
    const std::string idHex = hexOf(reinterpret_cast<const uint8_t*>(id.data()), id.size()) + "00";
    const auto lines = sim.logLines();
    return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
        const size_t hex = l.find(" hex=");
        return l.find(" cmd=2 ") != std::string::npos && hex != std::string::npos &&
               l.compare(hex + 5 + 2 * 27, idHex.size(), idHex) == 0;
    }));
}

// Waits up to five periods for camera `id`, and copies its latest record.
bool findCamera(WorkerRun& run, const std::string& id, CameraInfo* record) {
    const auto latest = [&] {
        return std::find_if(run.records.rbegin(), run.records.rend(),
                            [&](const CameraInfo& c) { return fieldText(c.deviceId) == id; });
    };
    for (int i = 0; i < 5 && latest() == run.records.rend(); ++i) run.waitFor(WM_CAMERA_FOUND, 1000);
    if (latest() == run.records.rend()) return false;
    *record = *latest();
    return true;
}

size_t searchesFrom(const SimProcess& sim, const std::string& source) {
    const auto lines = sim.logLines();
    return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
        return l.find(" from=" + source + ":10000 ") != std::string::npos && l.find(" cmd=0 ") != std::string::npos;
    }));
}

const Period kAll = {"L1", "L2", "SUB"};

TEST_F(Links, EveryLinkIsSearchedFromEachOfItsAddresses) {
    WorkerRun run;
    const auto seen = periods(run, 3);
    ASSERT_EQ(seen.size(), 3u);
    // SUB can answer only a search that came from 10.77.0.1.
    for (const Period& p : seen) EXPECT_EQ(p, kAll);
    const size_t searches = run.ticks.size();
    run.quit();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(searchesFrom(*one, "192.168.77.1"), searches);
    EXPECT_EQ(searchesFrom(*one, "10.77.0.1"), searches);
    EXPECT_EQ(searchesFrom(*two, "192.168.78.1"), searches);
    EXPECT_EQ(searchesFrom(*two, "192.168.77.1") + searchesFrom(*two, "10.77.0.1"), 0u) << "link 1's search on link 2";
    EXPECT_EQ(searchesFrom(*one, "192.168.78.1"), 0u) << "link 2's search on link 1";
    EXPECT_TRUE(run.errors.empty());
}

TEST_F(Links, ADefaultRouteOnOneLinkLeavesTheOtherSearched) {
    ASSERT_TRUE(test::changeLink("route", "1"));
    WorkerRun run;
    for (const Period& p : periods(run, 2)) EXPECT_EQ(p, kAll);
    EXPECT_TRUE(run.errors.empty());
    const auto second = std::find_if(run.records.begin(), run.records.end(),
                                     [](const CameraInfo& c) { return fieldText(c.deviceId) == "L2"; });
    ASSERT_NE(second, run.records.end());
    EXPECT_EQ(second->sameSubnet, 1) << "link 2's subnet is one of the machine's own";
}

TEST_F(Links, APulledLinkIsListedAgainWithinOnePeriodOfItsReturn) {
    ASSERT_TRUE(test::changeLink("route", "1"));
    WorkerRun run;
    ASSERT_TRUE(run.waitFor(WM_SCAN_TICK, 1000));
    run.drain(500);
    ASSERT_TRUE(test::changeLink("pull", "1"));
    for (const Period& p : periods(run, 2)) EXPECT_EQ(p, Period{"L2"});
    ASSERT_TRUE(test::changeLink("plug", "1"));
    const auto back = periods(run, 1);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0], kAll);
    EXPECT_TRUE(run.errors.empty()) << "a pulled cable is no socket failure";
}

TEST_F(Links, StartingWithOnlyLoopbackThenLinksComeUp) {
    ASSERT_TRUE(test::changeLink("pull", "1"));
    ASSERT_TRUE(test::changeLink("pull", "2"));
    WorkerRun run;
    for (const Period& p : periods(run, 2)) EXPECT_TRUE(p.empty());
    EXPECT_EQ(nextTickParam(run), 1) << "a tick after a search that went out nowhere";
    EXPECT_EQ(searchesFrom(*one, "192.168.77.1") + searchesFrom(*two, "192.168.78.1"), 0u);
    ASSERT_TRUE(test::changeLink("plug", "1"));
    ASSERT_TRUE(test::changeLink("plug", "2"));
    const auto up = periods(run, 1);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0], kAll);
    EXPECT_EQ(nextTickParam(run), 0) << "a tick after a search that went out";
    EXPECT_GE(run.ticks.size(), 4u) << "the ticks go on while nothing can be sent";
    EXPECT_TRUE(run.errors.empty());
}

TEST_F(Links, SetNetworkReachesACameraOnTheSecondLink) {
    WorkerRun run;
    const auto found = [&] {
        return std::find_if(run.records.begin(), run.records.end(),
                            [](const CameraInfo& c) { return fieldText(c.deviceId) == "L2"; });
    };
    for (int i = 0; i < 5 && found() == run.records.end(); ++i) run.waitFor(WM_CAMERA_FOUND, 1000);
    ASSERT_NE(found(), run.records.end());
    CameraRequest settings = requestTo(*found());
    setFieldText(settings.credentials.user, "admin");
    setFieldText(settings.credentials.password, "pw");
    settings.network.ip = test::ip("192.168.78.150");
    ASSERT_TRUE(postSetNetwork(run.id(), settings));
    EXPECT_TRUE(two->waitForLine({"from=192.168.78.1:10000", "cmd=2", "outcome=applied", "id=L2"}, 1000));
    run.drain(800);  // the search after the request comes at most kMinSearchGapMs after the last
    const auto last = std::find_if(run.records.rbegin(), run.records.rend(),
                                   [](const CameraInfo& c) { return fieldText(c.deviceId) == "L2"; });
    EXPECT_EQ(dottedQuad(last->ip), "192.168.78.150");
    EXPECT_TRUE(run.errors.empty());
    // Only where the camera was heard: the password never went out on link 1.
    EXPECT_EQ(setNetworkRequests(*two, "L2"), 1u);
    EXPECT_EQ(setNetworkRequests(*one, "L2"), 0u);
    EXPECT_EQ(setNetworkRequests(*sub, "L2"), 0u);
}

// Link 1 has two addresses, and a search goes out from each. The request
// for its camera goes out once, from the address its reply came to: one
// wrong password is one refusal, not two.
TEST_F(Links, ARequestGoesOutOnceWhereTheCameraWasHeard) {
    WorkerRun run;
    CameraInfo heard;
    ASSERT_TRUE(findCamera(run, "L1", &heard));
    CameraRequest settings = requestTo(heard);
    setFieldText(settings.credentials.user, "admin");
    setFieldText(settings.credentials.password, "wrong");
    ASSERT_TRUE(postSetNetwork(run.id(), settings));
    ASSERT_TRUE(run.waitFor(WM_SCAN_ERROR, 1000));
    run.drain(500);
    EXPECT_EQ(run.errors.size(), 1u) << "one refusal for one request";
    EXPECT_EQ(setNetworkRequests(*one, "L1"), 1u);
    EXPECT_TRUE(one->waitForLine({"from=192.168.77.1:10000", "cmd=2", "id=L1"}, 100));
    EXPECT_EQ(setNetworkRequests(*two, "L1"), 0u) << "not on the other link";
}

// A provisioning plan over both links: each camera confirmed at its new
// address, and each request, with its password, only on its own link.
TEST_F(Links, APlanOverTwoLinksSendsEachRequestWhereItsCameraIs) {
    one.emplace(1, std::vector<std::string>{"--delay", "0", "--camera", "id=L1,ip=192.168.77.101,password=pw"});
    two.emplace(2, std::vector<std::string>{"--delay", "0", "--camera", "id=L2,ip=192.168.78.101,password=pw"});
    ASSERT_TRUE(one->ok() && two->ok());
    const std::string plan = std::string(std::getenv("LENSCOUT_VLAN_DIR")) + "/two-links.csv";
    // The cameras came with a gateway on link 1; the one moved to link 2's subnet gets that link's.
    std::ofstream(plan) << "id,ip,gateway\nL1,192.168.77.151,\nL2,192.168.78.152,192.168.78.1\n";
    const test::ToolResult r =
        test::runTool(std::getenv("LENSCOUT_CLI"), {"provision", plan, "--jobs", "2", "--search", "1", "--no-journal"},
                      {{"LENSCOUT_PASSWORD", "pw"}});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    for (const char* row : {"L1  192.168.77.101 ", "L2  192.168.78.101 "}) {
        const size_t at = r.out.find(row);
        ASSERT_NE(at, std::string::npos) << r.out;
        EXPECT_EQ(r.out.substr(r.out.find('\n', at) - 9, 9), "confirmed") << r.out;
    }
    EXPECT_NE(r.out.find("-> 192.168.77.151 "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("-> 192.168.78.152 "), std::string::npos) << r.out;
    EXPECT_EQ(setNetworkRequests(*one, "L1"), 1u);
    EXPECT_EQ(setNetworkRequests(*two, "L2"), 1u);
    EXPECT_EQ(setNetworkRequests(*one, "L2") + setNetworkRequests(*two, "L1"), 0u) << "each only on its own link";
}

// A request whose camera was never heard on a known link (posted before any
// search) goes out nowhere: sent on every link, its password would reach
// networks that are not the camera's. The window is told why.
TEST_F(Links, ARequestWhoseLinkIsNotKnownIsRefusedAndSaid) {
    CameraRequest settings{};
    setFieldText(settings.target.deviceId, "L2");
    setFieldText(settings.credentials.user, "admin");
    setFieldText(settings.credentials.password, "pw");
    settings.network.ip = test::ip("192.168.78.151");
    settings.network.mask = test::ip("255.255.255.0");
    settings.network.httpPort = toNetPort(80);
    WorkerRun run;
    ASSERT_TRUE(postSetNetwork(run.id(), settings));
    ASSERT_TRUE(run.waitFor(WM_SCAN_ERROR, 1000));
    run.drain(300);
    EXPECT_EQ(run.errors, std::vector<int32_t>{kScanLinkUnknown});
    EXPECT_EQ(setNetworkRequests(*one, "L2") + setNetworkRequests(*two, "L2"), 0u);
}

// The platform's sends: what a missing link gives, and what a broken socket does.
TEST_F(Links, OnlyABrokenSocketFailsABroadcast) {
    Socket s = openUdpSocket();
    ASSERT_TRUE(enableBroadcast(s.get()));
    const uint8_t datagram[27] = {'M', 'O', '_', 'I'};
    const uint32_t everyone = test::ip("255.255.255.255");
    const uint16_t port = toNetPort(DISCOVERY_PORT);
    EXPECT_EQ(sendDatagramVia(s.get(), datagram, sizeof datagram, everyone, port), SendResult::LinkMissing)
        << "no default route";

    std::vector<Ipv4Interface> table;
    ASSERT_TRUE(readInterfaceTable(&table));
    BroadcastOutcome outcome = broadcastOnEveryLink(s.get(), datagram, sizeof datagram, everyone, port, &table);
    EXPECT_EQ(outcome.sent, 3) << "two addresses on link 1, one on link 2";
    EXPECT_EQ(outcome.skipped, 0);
    ASSERT_TRUE(test::changeLink("pull", "2"));  // the table read before the pull still names lan1
    outcome = broadcastOnEveryLink(s.get(), datagram, sizeof datagram, everyone, port, &table);
    EXPECT_EQ(outcome.sent, 2);
    EXPECT_EQ(outcome.skipped, 1);
    EXPECT_FALSE(outcome.socketFailed);

    Socket closed = openUdpSocket();
    closed.reset();
    outcome = broadcastOnEveryLink(closed.get(), datagram, sizeof datagram, everyone, port, &table);
    EXPECT_TRUE(outcome.socketFailed);
    Socket plain = openUdpSocket();  // no broadcast option: a fault of the socket, not of a link
    outcome = broadcastOnEveryLink(plain.get(), datagram, sizeof datagram, everyone, port, &table);
    EXPECT_TRUE(outcome.socketFailed);
}

// Two links of the computer on one LAN, as Wi-Fi and a cable to one
// switch: the camera hears a search from each, yet the request for it goes
// out once, and one wrong password is one refusal.
TEST(SameLan, ARequestGoesOutOnceOverTwoLinksToOneLan) {
    SimProcess sim(1, {"--delay", "0", "--camera", "id=BOTH,ip=192.168.77.111,password=pw"});
    ASSERT_TRUE(sim.ok());
    WorkerRun run;
    CameraInfo heard;
    ASSERT_TRUE(findCamera(run, "BOTH", &heard));
    CameraRequest settings = requestTo(heard);
    // Both links' searches of the first period, whose log lines may still be on their way.
    EXPECT_TRUE(sim.waitForLine({"from=192.168.77.1:10000", "cmd=0"}, 1000));
    EXPECT_TRUE(sim.waitForLine({"from=192.168.78.1:10000", "cmd=0"}, 1000)) << "the camera hears both links";
    setFieldText(settings.credentials.user, "admin");
    setFieldText(settings.credentials.password, "wrong");
    ASSERT_TRUE(postSetNetwork(run.id(), settings));
    ASSERT_TRUE(run.waitFor(WM_SCAN_ERROR, 1000));
    run.drain(500);
    EXPECT_EQ(run.errors.size(), 1u);
    EXPECT_EQ(setNetworkRequests(sim, "BOTH"), 1u);
}

}  // namespace
}  // namespace lenscout
