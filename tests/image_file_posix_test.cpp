// What is no image is refused at once: a FIFO would hang the dialog and
// lenscout-cli for ever, a folder says that it is one.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/string_table.h"
#include "upload/image_file.h"

namespace lenscout {
namespace {

class ImageOpen : public testing::Test {
protected:
    void SetUp() override {
        char dir[] = "/tmp/lenscout-image.XXXXXX";
        ASSERT_TRUE(mkdtemp(dir));
        dir_ = dir;
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    std::string dir_;
};

TEST_F(ImageOpen, AFifoAFolderAndADeviceAreRefusedWithoutWaiting) {
    const std::string fifo = dir_ + "/image.bin";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ImageFile().open(fifo), UploadFailure::NotAFile);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(ImageFile().open(dir_), UploadFailure::FileIsFolder);
    EXPECT_EQ(ImageFile().open("/dev/zero"), UploadFailure::NotAFile);
}

// A file put in the image's place after the check does not reach a camera:
// the open file is the checked one.
TEST_F(ImageOpen, TheOpenFileStaysTheCheckedOne) {
    const std::string path = dir_ + "/image.bin", other = dir_ + "/other.bin";
    std::ofstream(path, std::ios::binary) << "BNEG first";
    ImageFile image;
    ASSERT_EQ(image.open(path), UploadFailure::None);
    ASSERT_TRUE(checkImage(image, UpgradeKind::SystemFirmware));
    std::ofstream(other, std::ios::binary) << "plain text, no image at all";
    ASSERT_EQ(std::rename(other.c_str(), path.c_str()), 0);
    char bytes[10] = {};
    ASSERT_TRUE(image.readAt(0, bytes, 10));
    EXPECT_EQ(std::string(bytes, 10), "BNEG first");
}

}  // namespace
}  // namespace lenscout
