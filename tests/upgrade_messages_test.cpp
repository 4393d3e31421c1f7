#include "upload/upgrade_messages.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "protocol/packet_header.h"
#include "protocol/payload.h"
#include "upload/image_file.h"

namespace lenscout {
namespace {

std::vector<uint8_t> bytesOf(const PacketWriter& w) { return {w.data(), w.data() + w.length()}; }

TEST(UpgradeMessages, HelloIsTheHeaderAlone) {
    PacketWriter w;
    ASSERT_TRUE(buildHelloRequest(w));
    std::vector<uint8_t> expected = {'M', 'O', '_', 'M'};
    expected.resize(23, 0);
    EXPECT_EQ(bytesOf(w), expected);
}

TEST(UpgradeMessages, LoginCarriesBothThirteenByteFields) {
    Credentials c{};
    setFieldText(c.user, "admin");
    setFieldText(c.password, "pw");
    PacketWriter w;
    ASSERT_TRUE(buildLoginRequest(w, c));
    ASSERT_EQ(w.length(), 49);
    const std::vector<uint8_t> expected = {'M', 'O', '_', 'M', 2, 0, 0,   0,   0,   0,   0,   0, 0, 0, 0, 26, 0,
                                           0,   0,   26,  0,   0, 0, 'a', 'd', 'm', 'i', 'n', 0, 0, 0, 0, 0,  0,
                                           0,   0,   'p', 'w', 0, 0, 0,   0,   0,   0,   0,   0, 0, 0, 0};
    EXPECT_EQ(bytesOf(w), expected);
}

TEST(UpgradeMessages, OneByteFirmwareIsOneTwentyNineByteMessage) {
    std::vector<uint8_t> message(kDataHeadSize + 1);
    storeDataHead(message.data(), UpgradeKind::SystemFirmware, BLOCK_LAST, 1);
    message[kDataHeadSize] = 0xab;
    const std::vector<uint8_t> expected = {'M', 'O', '_', 'M', 0x0c, 0, 0, 0, 0, 0, 0, 0, 0, 0,   0,
                                           6,   0,   0,   0,   6,    0, 0, 0, 2, 1, 0, 0, 0, 0xab};
    EXPECT_EQ(message, expected);
    storeDataHead(message.data(), UpgradeKind::WebUi, BLOCK_FIRST, 1024);
    EXPECT_EQ(message[4], 13);
    EXPECT_EQ(std::vector<uint8_t>(message.begin() + 15, message.begin() + 28),
              (std::vector<uint8_t>{5, 4, 0, 0, 5, 4, 0, 0, 0, 0, 4, 0, 0}));
}

std::string plan(int64_t size) {
    std::string out;
    int64_t sent = 0;
    for (const Block& b : blockPlan(size)) {
        sent += b.length;
        out += std::to_string(b.position) + ":" + std::to_string(b.length) + "@" +
               std::to_string(progressPercent(sent, size)) + " ";
    }
    return out;
}

TEST(UpgradeMessages, BlockPlans) {
    EXPECT_EQ(plan(1), "2:1@100 ");
    EXPECT_EQ(plan(1024), "2:1024@100 ");
    EXPECT_EQ(plan(1025), "0:1024@99 2:1@100 ");
    EXPECT_EQ(plan(2048), "0:1024@50 2:1024@100 ");
    EXPECT_EQ(plan(3000), "0:1024@34 1:1024@68 2:952@100 ");
    EXPECT_TRUE(blockPlan(0).empty());
}

TEST(UpgradeMessages, ProgressDoesNotOverflowForLargeImages) {
    const int64_t size = 64LL * 1024 * 1024;
    EXPECT_EQ(progressPercent(size / 2, size), 50);
    EXPECT_EQ(progressPercent(size - 1024, size), 99);
}

class ImageCheck : public testing::Test {
protected:
    void TearDown() override { std::remove(path_.c_str()); }
    bool check(const std::string& content, UpgradeKind kind) {
        std::ofstream(path_, std::ios::binary) << content;
        ImageFile file;
        EXPECT_EQ(file.open(path_), UploadFailure::None);
        return checkImage(file, kind);
    }
    // One file per test: ctest runs the tests as processes side by side.
    std::string path_ =
        testing::TempDir() + "lenscout-image-" + testing::UnitTest::GetInstance()->current_test_info()->name() + ".bin";
};

TEST_F(ImageCheck, SystemFirmwareStartsWithBneg) {
    EXPECT_TRUE(check("BNEG and the rest", UpgradeKind::SystemFirmware));
    EXPECT_FALSE(check("bneg and the rest", UpgradeKind::SystemFirmware));
    EXPECT_FALSE(check("BNE", UpgradeKind::SystemFirmware));
    EXPECT_FALSE(check("12345678UPGRADE APP_WARE FILE", UpgradeKind::SystemFirmware));
}

TEST_F(ImageCheck, WebUiHasItsMarkAtOffsetEight) {
    EXPECT_TRUE(check("anything", UpgradeKind::WebUi) == false);
    EXPECT_TRUE(check("\x01\x02\x03\x04\x05\x06\x07\x08UPGRADE APP_WARE FILE", UpgradeKind::WebUi));
    EXPECT_TRUE(check("BNEG....UPGRADE APP_WARE FILE and more", UpgradeKind::WebUi));
    EXPECT_FALSE(check("UPGRADE APP_WARE FILE at the start", UpgradeKind::WebUi));
    EXPECT_FALSE(check("BNEG....UPGRADE APP_WARE FIL", UpgradeKind::WebUi));
}

// Every camera reads the bytes by position from the one open file: the
// size is the one measured at the open, and nothing past it is read.
TEST_F(ImageCheck, ReadByPositionWithinTheMeasuredSize) {
    std::ofstream(path_, std::ios::binary) << "BNEG1234";
    ImageFile file;
    ASSERT_EQ(file.open(path_), UploadFailure::None);
    EXPECT_EQ(file.size(), 8);
    EXPECT_FALSE(checkImage(file, UpgradeKind::WebUi));
    char bytes[4] = {};
    ASSERT_TRUE(file.readAt(4, bytes, 4));
    EXPECT_EQ(std::string(bytes, 4), "1234");
    ASSERT_TRUE(file.readAt(0, bytes, 1));
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_FALSE(file.readAt(5, bytes, 4));
    // Grown on disk after the open: still the measured size.
    std::ofstream(path_, std::ios::binary | std::ios::app) << "more";
    EXPECT_FALSE(file.readAt(8, bytes, 4));
    EXPECT_EQ(ImageFile().open(path_ + ".missing"), UploadFailure::CannotOpenFile);
}

}  // namespace
}  // namespace lenscout
