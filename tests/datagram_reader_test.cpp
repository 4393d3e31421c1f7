#include "protocol/datagram_reader.h"

#include <gtest/gtest.h>

#include "protocol/packet_header.h"
#include "support/loopback.h"
#include "support/message_bytes.h"

namespace lenscout {
namespace {

using test::rawMessage;

TEST(DatagramReader, EmptyPayloadParsesAndHasNothingToRead) {
    DatagramReader r;
    const auto m = rawMessage("MO_I", 3, {});
    ASSERT_TRUE(r.load(m.data(), m.size()));
    uint16_t command = 0;
    ASSERT_TRUE(r.parseHeader(&command, kDiscoveryMagic));
    EXPECT_EQ(command, 3);
    uint8_t byte;
    EXPECT_FALSE(r.readBytes(&byte, 1));
    EXPECT_TRUE(r.readBytes(&byte, 0));
}

TEST(DatagramReader, RejectsALengthThatIsNotTheDatagramsSize) {
    for (uint32_t announced : {5u, 8u, 0xffffffffu, 0xfffffff0u}) {
        DatagramReader r;
        const auto m = rawMessage("MO_I", 1, std::vector<uint8_t>(7, 1), announced);
        ASSERT_EQ(m.size(), 30u);
        r.load(m.data(), m.size());
        uint16_t command;
        EXPECT_FALSE(r.parseHeader(&command, kDiscoveryMagic)) << announced;
    }
}

TEST(DatagramReader, RejectsShortDatagramsAndOtherMagics) {
    DatagramReader r;
    uint16_t command;
    const auto m = rawMessage("MO_I", 1, {});
    r.load(m.data(), 22);
    EXPECT_FALSE(r.parseHeader(&command, kDiscoveryMagic));
    r.load(m.data(), 0);
    EXPECT_FALSE(r.parseHeader(&command, kDiscoveryMagic));
    r.load(m.data(), m.size());
    EXPECT_FALSE(r.parseHeader(&command, kUploadMagic));
}

TEST(DatagramReader, ReadsInOrderAndNeverPastTheEnd) {
    DatagramReader r;
    const auto m = rawMessage("MO_I", 1, {1, 2, 3, 4, 5, 6});
    r.load(m.data(), m.size());
    uint16_t command;
    ASSERT_TRUE(r.parseHeader(&command, kDiscoveryMagic));
    uint32_t first = 0;
    uint16_t second = 0;
    ASSERT_TRUE(r.readU32(&first));
    EXPECT_EQ(first, 0x04030201u);
    EXPECT_FALSE(r.readU32(&first));  // only two left, and a failed read consumes nothing
    ASSERT_TRUE(r.readU16(&second));
    EXPECT_EQ(second, 0x0605);
}

TEST(DatagramReader, DescramblingStartsOverEveryEightBytes) {
    const uint8_t key[8] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
    std::vector<uint8_t> payload(12);
    for (size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<uint8_t>(0xa0 + i);
    const auto m = rawMessage("MO_I", 1, payload, 12, key);
    EXPECT_EQ(m[23 + 8], payload[8] ^ 0x11);
    EXPECT_EQ(m[23 + 9], payload[9] ^ 0x22);
    DatagramReader r;
    r.load(m.data(), m.size());
    uint16_t command;
    ASSERT_TRUE(r.parseHeader(&command, kDiscoveryMagic));
    std::vector<uint8_t> plain(12);
    ASSERT_TRUE(r.readBytes(plain.data(), plain.size()));
    EXPECT_EQ(plain, payload);
}

TEST(DatagramReader, ReceivesExactlyOneDatagramOverLoopback) {
    test::UdpPair pair;
    ASSERT_TRUE(pair.ok());
    DatagramReader r;
    EXPECT_EQ(r.receive(pair.receiver(), 10), NET_TIMEOUT);
    const auto m = rawMessage("MO_I", 1, {9, 9});
    ASSERT_TRUE(pair.send(m.data(), m.size()));
    ASSERT_TRUE(pair.send(m.data(), 0));
    ASSERT_EQ(r.receive(pair.receiver(), 1000), NET_OK);
    EXPECT_EQ(r.length(), 25);
    // An empty datagram is received, then fails the header check.
    ASSERT_EQ(r.receive(pair.receiver(), 1000), NET_OK);
    EXPECT_EQ(r.length(), 0);
    uint16_t command;
    EXPECT_FALSE(r.parseHeader(&command, kDiscoveryMagic));
}

}  // namespace
}  // namespace lenscout
