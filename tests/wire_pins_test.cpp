// Every discovery message pinned byte for byte, with the expected bytes
// written out from the wire layout rather than produced by the writers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "discovery/camera_text.h"
#include "discovery/discovery_messages.h"
#include "protocol/datagram_reader.h"
#include "protocol/packet_writer.h"
#include "support/message_bytes.h"
#include "tools/common/hex.h"

namespace lenscout {
namespace {

using test::fromHex;

std::string written(const PacketWriter& w) { return hexOf(w.data(), static_cast<size_t>(w.length())); }

// A header: magic, command (u16 LE), flag, key, payload length twice (u32 LE).
// clang-format off
const std::string kSearchHeader = "4d4f5f49" "0000" "00" "0000000000000000" "04000000" "04000000";
// clang-format on

TEST(WirePins, SearchRequest) {
    PacketWriter w;
    ASSERT_TRUE(buildSearchRequest(w));
    EXPECT_EQ(written(w), kSearchHeader + "00000001");
}

TEST(WirePins, SetNetworkRequestFieldByField) {
    CameraInfo camera{};
    setFieldText(camera.deviceId, "CAM000007");
    setFieldText(camera.name, "not sent");
    camera.firmwareVersion = camera.webUiVersion = 0xffffffff;
    camera.sameSubnet = camera.seen = 1;
    camera.sender = test::ip("10.0.0.99");
    CameraRequest s = requestTo(camera);
    setFieldText(s.credentials.user, "admin");
    setFieldText(s.credentials.password, "secret");
    s.network = {test::ip("10.0.0.9"), test::ip("255.0.0.0"), test::ip("10.0.0.1"), test::ip("10.0.0.2"),
                 toNetPort(8081)};
    PacketWriter w;
    ASSERT_TRUE(buildSetNetworkRequest(w, s));
    // clang-format off
    EXPECT_EQ(written(w), "4d4f5f49" "0200" "00" "0000000000000000" "3d000000" "3d000000"
                          "00000001"                        // tag
                          "43414d303030303037" "00000000"   // device ID, 13 bytes
                          "61646d696e" "0000000000000000"   // user, 13 bytes
                          "736563726574" "00000000000000"   // password, 13 bytes
                          "0a000009"                        // address
                          "ff000000"                        // mask
                          "0a000001"                        // gateway
                          "0a000002"                        // DNS server
                          "1f91");                          // HTTP port 8081
    // clang-format on
}

// Payload offsets 0 ID, 13 name, 34 address, 38 mask, 42 gateway, 46 DNS,
// 50 unused, 54 firmware, 58 web UI, 62 port; then 4 bytes the system ignores.
TEST(WirePins, SearchReplyOffsets) {
    // clang-format off
    const auto payload = fromHex("43414d31" "00" "ffffffffffffffff"     // "CAM1", then bytes after its zero
                               "4c6f626279" "00" "eeeeeeeeeeeeeeeeeeeeeeeeeeeeee"  // "Lobby"
                               "c0a80114" "ffffff00" "c0a80101" "08080808"
                               "deadbeef" "01020304" "02000107" "1f90" "aabbccdd");
    // clang-format on
    ASSERT_EQ(payload.size(), 68u);
    const auto m = test::rawMessage("MO_I", 1, payload);
    DatagramReader r;
    ASSERT_TRUE(r.load(m.data(), m.size()));
    uint16_t command = 0;
    ASSERT_TRUE(r.parseHeader(&command, "MO_I"));
    EXPECT_EQ(command, 1);
    const auto c = parseSearchReply(r);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(fieldText(c->deviceId), "CAM1");
    EXPECT_EQ(fieldText(c->name), "Lobby");
    EXPECT_EQ(dottedQuad(c->ip), "192.168.1.20");
    EXPECT_EQ(dottedQuad(c->mask), "255.255.255.0");
    EXPECT_EQ(dottedQuad(c->gateway), "192.168.1.1");
    EXPECT_EQ(dottedQuad(c->dns), "8.8.8.8");
    EXPECT_EQ(dottedQuad(c->firmwareVersion), "1.2.3.4");
    EXPECT_EQ(dottedQuad(c->webUiVersion), "2.0.1.7");
    EXPECT_EQ(toHostPort(c->httpPort), 8080);
}

// The result's code is a u16 LE; only flag value 1 means scrambled.
TEST(WirePins, ResultAndTheScrambledFlag) {
    const std::string key = "0102030405060708";
    const struct {
        const char* flag;
        const char* payload;
        uint16_t code;
    } cases[] = {{"00", "0500", 5}, {"01", "0402", 5}, {"02", "0500", 5}, {"ff", "0500", 5}, {"00", "feff", 0xfffe}};
    for (const auto& c : cases) {
        // clang-format off
        const auto m = fromHex("4d4f5f49" "0300" + std::string(c.flag) + key + "02000000" "02000000" + c.payload);
        // clang-format on
        DatagramReader r;
        ASSERT_TRUE(r.load(m.data(), m.size()));
        uint16_t command = 0, code = 0;
        ASSERT_TRUE(r.parseHeader(&command, "MO_I"));
        EXPECT_EQ(command, 3);
        ASSERT_TRUE(parseResult(r, &code));
        EXPECT_EQ(code, c.code) << "flag " << c.flag;
    }
}

// Commands 1 and 3 belong to the magic "MO_I"; under "MO_M" they are no
// discovery message at all.
TEST(WirePins, CameraCommandsUnderBothMagics) {
    for (const char* command : {"0100", "0300"}) {
        // clang-format off
        const auto discovery = fromHex(std::string("4d4f5f49") + command + "00" "0000000000000000" "00000000" "00000000");
        const auto upload = fromHex(std::string("4d4f5f4d") + command + "00" "0000000000000000" "00000000" "00000000");
        // clang-format on
        DatagramReader r;
        uint16_t got = 0;
        ASSERT_TRUE(r.load(discovery.data(), discovery.size()));
        EXPECT_TRUE(r.parseHeader(&got, "MO_I"));
        EXPECT_EQ(got, command[1] - '0');
        ASSERT_TRUE(r.load(upload.data(), upload.size()));
        EXPECT_FALSE(r.parseHeader(&got, "MO_I"));
        ASSERT_TRUE(r.load(upload.data(), upload.size()));
        EXPECT_TRUE(r.parseHeader(&got, "MO_M"));
    }
}

}  // namespace
}  // namespace lenscout
