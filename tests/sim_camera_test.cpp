// The simulator's own encoding and decoding, against bytes written out from
// the wire layout: it must be right on its own, since it is the oracle of
// every test on the virtual LAN.
#include "tools/camsim/sim_camera.h"

#include <gtest/gtest.h>

#include <chrono>

#include "support/message_bytes.h"

#include "tools/camsim/sim_codec.h"
#include "tools/common/hex.h"

namespace lenscout {
namespace {

using test::fromHex;

std::string hex(const std::vector<uint8_t>& b) { return hexOf(b.data(), b.size()); }

TEST(SimCamera, SearchReplyBytes) {
    SimCamera c = defaultCamera(3, 0, 0);
    std::string error;
    ASSERT_TRUE(applyCameraSettings(&c,
                                    "name-hex=c9e3cff1cdb7,ip=10.0.0.3,mask=255.0.0.0,gateway=10.0.0.1,"
                                    "dns=10.0.0.2,unused=7,firmware=1.2.3.4,webui=0,port=8080",
                                    &error))
        << error;
    // clang-format off
    EXPECT_EQ(hex(sim::encode(sim::kDiscovery, sim::kCmdSearchReply, searchReplyPayload(c))),
              "4d4f5f49" "0100" "00" "0000000000000000" "40000000" "40000000"
              "43414d303030303033" "00000000"                   // CAM000003
              "c9e3cff1cdb7" "000000000000000000000000000000"   // the name, 21 bytes
              "0a000003" "ff000000" "0a000001" "0a000002"
              "07000000" "01020304" "00000000" "1f90");
    // clang-format on
    ReplyExtras extras;
    extras.trailing = 2;
    extras.textJunk = 0x7e;
    // clang-format off
    EXPECT_EQ(hex(searchReplyPayload(c, extras)).substr(0, 26), "43414d303030303033" "007e7e7e");
    // clang-format on
    EXPECT_EQ(searchReplyPayload(c, extras).size(), 66u);
}

TEST(SimCamera, ScramblesWithTheKeyAndFlagOne) {
    const std::vector<uint8_t> key = fromHex("0102030405060708");
    // clang-format off
    EXPECT_EQ(hex(sim::encode(sim::kDiscovery, sim::kCmdResult, {5, 0}, &key)),
              "4d4f5f49" "0300" "01" "0102030405060708" "02000000" "02000000" "0402");
    // clang-format on
}

TEST(SimCamera, ReadsASetNetworkRequestFieldByField) {
    // clang-format off
    const auto m = fromHex("4d4f5f49" "0200" "00" "0000000000000000" "3d000000" "3d000000" "00000001"
                         "43414d303030303031" "00000000" "61646d696e" "0000000000000000" "7077" "0000000000000000000000"
                         "0a090909" "ffffff00" "0a090901" "0a090902" "0051");
    // clang-format on
    sim::Message msg;
    ASSERT_TRUE(sim::decode(m.data(), m.size(), &msg));
    EXPECT_TRUE(sim::requestViolations(msg, 61).empty());
    SetNetworkRequest q{};
    ASSERT_TRUE(parseSetNetwork(msg.payload, &q));
    EXPECT_EQ(q.deviceId, "CAM000001");
    EXPECT_EQ(q.user, "admin");
    EXPECT_EQ(q.password, "pw");
    EXPECT_EQ(q.httpPort, 81);

    SimCamera c = defaultCamera(1, 0, 0);
    c.password = "pw";
    EXPECT_EQ(applySetNetwork(c, q), SetOutcome::Applied);
    // clang-format off
    EXPECT_EQ(hex(searchReplyPayload(c)).substr(68, 32), "0a090909" "ffffff00" "0a090901" "0a090902");
    // clang-format on
    EXPECT_EQ(c.httpPort, 81);
    q.password = "wrong";
    EXPECT_EQ(applySetNetwork(c, q), SetOutcome::BadCredentials);
    q.deviceId = "CAM000002";
    EXPECT_EQ(applySetNetwork(c, q), SetOutcome::NotMine);

    // A settling camera accepts at once and shows the setting only later.
    SimCamera late = defaultCamera(1, 0, 0);
    late.password = "pw";
    std::string error;
    ASSERT_TRUE(applyCameraSettings(&late, "settle=500", &error)) << error;
    q.deviceId = "CAM000001";
    q.password = "pw";
    EXPECT_EQ(applySetNetwork(late, q), SetOutcome::Applied);
    const auto now = std::chrono::steady_clock::now();
    settlePendingSettings(late, now);
    EXPECT_EQ(late.httpPort, 80);
    settlePendingSettings(late, now + std::chrono::milliseconds(600));
    EXPECT_EQ(late.httpPort, 81);
    EXPECT_EQ(hex(searchReplyPayload(late)).substr(68, 8), "0a090909");
}

TEST(SimCamera, NamesEveryWayARequestBreaksTheLayout) {
    // clang-format off
    auto m = fromHex("4d4f5f49" "0000" "02" "0000000000000900" "04000000" "05000000" "00000001");
    // clang-format on
    sim::Message msg;
    ASSERT_TRUE(sim::decode(m.data(), m.size(), &msg));
    const auto v = sim::requestViolations(msg, 5);
    EXPECT_EQ(v, (std::vector<std::string>{"flag=2", "key", "appended-length=5", "payload-size=4"}));
    EXPECT_FALSE(sim::decode(m.data(), 26, &msg)) << "a payload cut short";
}

TEST(SimCamera, RejectsBadSpecs) {
    SimCamera c = defaultCamera(1, 0, 0);
    std::string error;
    EXPECT_FALSE(applyCameraSettings(&c, "ip=300.1.1.1", &error));
    EXPECT_FALSE(applyCameraSettings(&c, "colour=red", &error));
    EXPECT_FALSE(applyCameraSettings(&c, "port=70000", &error));
}

}  // namespace
}  // namespace lenscout
