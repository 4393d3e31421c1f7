#include "protocol/packet_writer.h"

#include <gtest/gtest.h>

#include "tools/common/hex.h"

#include <vector>

#include "protocol/packet_header.h"
#include "protocol/payload.h"

namespace lenscout {
namespace {

std::vector<uint8_t> bytesOf(const PacketWriter& w) { return {w.data(), w.data() + w.length()}; }

TEST(PacketWriter, EmptyMessageIsAHeaderWithZeroLengths) {
    PacketWriter w;
    ASSERT_TRUE(w.begin(7, kUploadMagic));
    ASSERT_TRUE(w.finalize());
    // clang-format off
    EXPECT_EQ(hexOf(w.data(), static_cast<size_t>(w.length())),
              "4d4f5f4d" "0700" "00" "0000000000000000" "00000000" "00000000");
    // clang-format on
}

TEST(PacketWriter, SearchRequestBytes) {
    PacketWriter w;
    ASSERT_TRUE(w.begin(0, kDiscoveryMagic) && w.appendU32(0x01000000) && w.finalize());
    const std::vector<uint8_t> expected = {'M', 'O', '_', 'I', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                           0,   4,   0,   0,   0, 4, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(bytesOf(w), expected);
}

TEST(PacketWriter, GrowsInHundredByteSteps) {
    std::vector<uint8_t> block(200, 0xab);
    PacketWriter exact;
    exact.begin(1, kDiscoveryMagic);
    ASSERT_TRUE(exact.appendBytes(block.data(), 77));
    EXPECT_EQ(exact.capacity(), 100);

    PacketWriter grown;
    grown.begin(1, kDiscoveryMagic);
    ASSERT_TRUE(grown.appendBytes(block.data(), 200));
    EXPECT_EQ(grown.capacity(), 300);
    ASSERT_TRUE(grown.finalize());
    EXPECT_EQ(grown.length(), 223);
    EXPECT_EQ(grown.data()[222], 0xab);
    // clang-format off
    EXPECT_EQ(hexOf(grown.data() + 15, 8), "c8000000" "c8000000");  // 200, both lengths
    // clang-format on
}

TEST(PacketWriter, EmptyAppendChangesNothing) {
    PacketWriter w;
    w.begin(1, kDiscoveryMagic);
    EXPECT_TRUE(w.appendBytes(nullptr, 0));
    w.finalize();
    EXPECT_EQ(w.length(), 23);
}

TEST(PacketWriter, RefusesWorkWithoutBegin) {
    PacketWriter w;
    EXPECT_FALSE(w.appendU8(1));
    EXPECT_EQ(w.length(), 0);
}

TEST(PacketWriter, BeginStartsAFreshMessage) {
    PacketWriter w;
    w.begin(1, kDiscoveryMagic);
    w.appendU32(0xffffffff);
    w.finalize();
    w.begin(2, kDiscoveryMagic);
    w.finalize();
    // clang-format off
    EXPECT_EQ(hexOf(w.data(), static_cast<size_t>(w.length())),
              "4d4f5f49" "0200" "00" "0000000000000000" "00000000" "00000000");
    // clang-format on
}

}  // namespace
}  // namespace lenscout
