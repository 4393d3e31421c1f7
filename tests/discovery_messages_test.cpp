#include "discovery/discovery_messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "discovery/camera_text.h"
#include "protocol/packet_header.h"
#include "protocol/payload.h"
#include "support/message_bytes.h"

namespace lenscout {
namespace {

using test::ip;

std::vector<uint8_t> replyPayload(size_t size) {
    std::vector<uint8_t> p(std::max<size_t>(size, 64), 0);
    std::memcpy(p.data(), "CAM1", 4);
    std::memcpy(p.data() + 13, "Lobby", 5);
    const uint32_t fields[] = {ip("192.168.1.20"), ip("255.255.255.0"), ip("192.168.1.1"), ip("8.8.8.8"),
                               0xdeadbeef,         0x04030201,          0x07010002};
    std::memcpy(p.data() + 34, fields, sizeof fields);
    p[62] = 0x1f;  // port 8080 in network order
    p[63] = 0x90;
    p.resize(size);
    return p;
}

std::unique_ptr<CameraInfo> parse(const std::vector<uint8_t>& payload) {
    static DatagramReader reader;
    const auto m = test::rawMessage("MO_I", CMD_SEARCH_REPLY, payload);
    reader.load(m.data(), m.size());
    uint16_t command = 0;
    if (!reader.parseHeader(&command, kDiscoveryMagic)) return nullptr;
    return parseSearchReply(reader);
}

TEST(SearchReply, NeedsSixtyFourBytesAndIgnoresTheRest) {
    EXPECT_EQ(parse(replyPayload(63)), nullptr);
    for (size_t size : {64u, 80u}) {
        const auto c = parse(replyPayload(size));
        ASSERT_NE(c, nullptr) << size;
        EXPECT_EQ(fieldText(c->deviceId), "CAM1");
        EXPECT_EQ(fieldText(c->name), "Lobby");
        EXPECT_EQ(dottedQuad(c->ip), "192.168.1.20");
        EXPECT_EQ(dottedQuad(c->dns), "8.8.8.8");
        EXPECT_EQ(toHostPort(c->httpPort), 8080);
        EXPECT_EQ(c->seen, 1);
        EXPECT_EQ(c->sameSubnet, 1);
    }
}

TEST(SearchReply, DropsTheFourBytesAtOffsetFifty) {
    const auto c = parse(replyPayload(64));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(dottedQuad(c->firmwareVersion), "1.2.3.4");
    EXPECT_EQ(dottedQuad(c->webUiVersion), "2.0.1.7");
}

TEST(SearchReply, UnterminatedTextFieldsStayInsideTheirFields) {
    auto payload = replyPayload(64);
    std::memset(payload.data(), 'X', 34);
    const auto c = parse(payload);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(fieldText(c->deviceId), std::string(13, 'X'));
    EXPECT_EQ(fieldText(c->name), std::string(21, 'X'));
}

TEST(ResultMessage, CarriesASixteenBitCode) {
    DatagramReader r;
    const auto m = test::rawMessage("MO_I", CMD_RESULT, {0xfe, 0xff});
    r.load(m.data(), m.size());
    uint16_t command = 0, code = 0;
    ASSERT_TRUE(r.parseHeader(&command, kDiscoveryMagic));
    ASSERT_TRUE(parseResult(r, &code));
    EXPECT_EQ(code, 0xfffe);
    EXPECT_FALSE(parseResult(r, &code));
}

TEST(CameraText, SetFieldTextCutsAndTerminates) {
    char field[5];
    std::memset(field, 'Z', sizeof field);
    setFieldText(field, "abcdefg");
    EXPECT_EQ(std::string(field, 5), std::string("abcd\0", 5));
    setFieldText(field, "x");
    EXPECT_EQ(std::string(field, 5), std::string("x\0\0\0\0", 5));
}

}  // namespace
}  // namespace lenscout
