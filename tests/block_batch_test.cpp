// What a batch of blocks counts as sent when the connection takes only part
// of it: sent one by one, the bar would move for every block that went and
// for the one whose send failed, and for nothing after that.
#include "upload/block_sender.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <vector>

namespace lenscout {
namespace {

// A stream whose reader takes nothing until the writer has given up.
struct StalledStream {
    StalledStream() {
        int fds[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM, 0, fds) != 0) return;
        writer.reset(fds[0]);
        reader.reset(fds[1]);
        const int small = 64 * 1024;
        ::setsockopt(fds[0], SOL_SOCKET, SO_SNDBUF, &small, sizeof small);
        setSendTimeout(fds[0], 200);
    }
    size_t drain() {
        size_t total = 0;
        std::vector<uint8_t> chunk(65536);
        writer.reset();
        for (long n; (n = ::read(reader.get(), chunk.data(), chunk.size())) > 0;) total += static_cast<size_t>(n);
        return total;
    }
    Socket writer, reader;
};

TEST(BlockBatch, AFailedSendCountsTheBlocksTakenAndTheOneItFailedIn) {
    StalledStream stream;
    ASSERT_TRUE(stream.writer.valid());
    BlockBatch batch(stream.writer.get());
    const int64_t size = 256 * 1024;
    ASSERT_EQ(batch.plan(UpgradeKind::SystemFirmware, 0, size), size);
    ASSERT_EQ(batch.count(), 256u);
    uint32_t blocks = 0;
    EXPECT_EQ(batch.send(&blocks), NET_ERROR);
    const size_t taken = stream.drain();
    const size_t message = 28 + 1024;  // a data message: header 23, position 1, length 4, 1024 bytes
    ASSERT_LT(taken, 256 * message) << "the stream must stall inside the batch";
    EXPECT_EQ(blocks, taken / message + 1);
}

TEST(BlockBatch, AWholeSendCountsEveryBlock) {
    int fds[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
    Socket writer(fds[0]), reader(fds[1]);
    BlockBatch batch(writer.get());
    ASSERT_EQ(batch.plan(UpgradeKind::WebUi, 0, 3000), 3000u);
    uint32_t blocks = 0;
    EXPECT_EQ(batch.send(&blocks), NET_OK);
    EXPECT_EQ(blocks, 3u);
    std::vector<uint8_t> got(4000);
    EXPECT_EQ(::read(reader.get(), got.data(), got.size()), 3 * 28 + 3000);
}

}  // namespace
}  // namespace lenscout
