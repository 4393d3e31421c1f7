// The discovery worker built for Windows, under Wine, against the Linux
// simulator. The virtual LAN (tests/wine/CMakeLists.txt), no default route:
//   link 1, 192.168.77.1/24: host 1 plays W1 and W1B, host 3 plays W3 with
//                            scrambled replies
//   link 2, 192.168.78.1/24: host 2 plays W2 (password "pw"), which replies
//                            to the broadcast address, as a camera at a
//                            factory address does
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "discovery/camera_text.h"
#include "discovery/discovery_worker.h"
#include "discovery/message_ids.h"
#include "sim_logs.h"
#include "support/message_bytes.h"
#include "support/worker_run.h"

namespace lenscout {
namespace {

using test::simLines;
using test::WorkerRun;

class WineDiscovery : public testing::Test {
protected:
    void TearDown() override {
        for (const std::string& line : test::simViolations(3)) ADD_FAILURE() << "wire layout broken: " << line;
    }
};

TEST_F(WineDiscovery, EveryCameraOfEveryLinkInEveryPeriod) {
    WorkerRun run;
    ASSERT_TRUE(run.started());
    std::vector<std::set<std::string>> periods;
    run.observer = [&](const ThreadMessage& m, const CameraInfo* record) {
        if (m.message == WM_SCAN_TICK) periods.emplace_back();
        if (record && !periods.empty()) periods.back().insert(std::string(fieldText(record->deviceId)));
    };
    run.drain(3 * kSearchPeriodMs + 500);
    ASSERT_GE(periods.size(), 4u);
    for (size_t i = 0; i + 1 < periods.size(); ++i)
        EXPECT_EQ(periods[i], (std::set<std::string>{"W1", "W1B", "W2", "W3"})) << "period " << i;
    EXPECT_TRUE(run.errors.empty());
    EXPECT_FALSE(run.finished());
    EXPECT_LT(run.quit(), 1000u);
}

// Each link hears the search from the computer's own address on it, and
// never another link's.
TEST_F(WineDiscovery, EachLinkHearsItsOwnSearchOnly) {
    WorkerRun run;
    ASSERT_TRUE(run.started());
    run.drain(2 * kSearchPeriodMs + 500);
    run.quit();
    // clang-format off
    const std::string search = "4d4f5f49" "0000" "00" "0000000000000000" "04000000" "04000000" "00000001";
    // clang-format on
    const auto one = simLines(1, {" cmd=0 ", "hex=" + search});
    const auto two = simLines(2, {" cmd=0 ", "hex=" + search});
    ASSERT_FALSE(one.empty());
    ASSERT_FALSE(two.empty());
    for (const std::string& line : one) EXPECT_NE(line.find(" from=192.168.77.1:"), std::string::npos) << line;
    for (const std::string& line : two) EXPECT_NE(line.find(" from=192.168.78.1:"), std::string::npos) << line;
}

// A request made from the camera's record as the worker hands it over
// (within 5 s), as the dialogs make it; its ID is empty when the camera did
// not answer.
CameraRequest requestFor(WorkerRun& run, const char* id, const char* password) {
    CameraInfo found{};
    run.observer = [&](const ThreadMessage&, const CameraInfo* record) {
        if (record && fieldText(record->deviceId) == id) found = *record;
    };
    for (int i = 0; i < 50 && fieldText(found.deviceId).empty(); ++i) run.drain(100);
    run.observer = nullptr;
    CameraRequest request = requestTo(found);
    setFieldText(request.credentials.user, "admin");
    setFieldText(request.credentials.password, password);
    return request;
}

TEST_F(WineDiscovery, SetNetworkReachesTheCameraOnLinkTwo) {
    WorkerRun run;
    CameraRequest settings = requestFor(run, "W2", "pw");
    ASSERT_EQ(fieldText(settings.target.deviceId), "W2");
    settings.network.ip = test::ip("192.168.78.150");
    settings.network.mask = test::ip("255.255.255.0");
    settings.network.gateway = settings.network.dns = test::ip("192.168.78.1");
    settings.network.httpPort = toNetPort(8080);
    ASSERT_TRUE(postSetNetwork(run.id(), settings));
    bool applied = false;
    run.observer = [&](const ThreadMessage&, const CameraInfo* record) {
        applied = applied || (record && fieldText(record->deviceId) == "W2" && record->ip == settings.network.ip &&
                              toHostPort(record->httpPort) == 8080);
    };
    for (int i = 0; i < 40 && !applied; ++i) run.drain(100);
    EXPECT_TRUE(applied);
    // clang-format off
    EXPECT_EQ(simLines(2, {" cmd=2 ",
                           "hex=4d4f5f49" "0200" "00" "0000000000000000" "3d000000" "3d000000" "00000001"
                           "5732" "0000000000000000000000"     // "W2"
                           "61646d696e" "0000000000000000"     // "admin"
                           "7077" "0000000000000000000000"     // "pw"
                           "c0a84e96" "ffffff00" "c0a84e01" "c0a84e01" "1f90"})
                  .size(),
              1u);
    // clang-format on
    // Its reply came to a broadcast address, which no link holds: the link
    // is the interface it came in by, and the password goes out on no other.
    EXPECT_TRUE(simLines(1, {" cmd=2 "}).empty()) << simLines(1, {" cmd=2 "})[0];
}

// A result counts only from the camera the request went to: the request is
// made from the camera's record, as the dialogs make it.
TEST_F(WineDiscovery, ARefusalComesBackAsTheCamerasCode) {
    WorkerRun run;
    CameraRequest settings = requestFor(run, "W1", "wrong");
    ASSERT_EQ(fieldText(settings.target.deviceId), "W1");
    settings.network.httpPort = toNetPort(80);
    ASSERT_TRUE(postSetNetwork(run.id(), settings));
    ASSERT_TRUE(run.waitFor(WM_SCAN_ERROR, 3000));
    EXPECT_EQ(run.errors, std::vector<int32_t>{5});
}

}  // namespace
}  // namespace lenscout
