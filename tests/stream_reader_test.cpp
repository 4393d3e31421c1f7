#include "protocol/stream_reader.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <string>

#include "protocol/packet_header.h"
#include "support/loopback.h"
#include "support/message_bytes.h"

namespace lenscout {
namespace {

using test::rawMessage;

std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(StreamReader, TwoMessagesInOneChunkNeedOneReceive) {
    test::TcpPair tcp;
    ASSERT_TRUE(tcp.ok());
    const auto both = rawMessage("MO_M", 5, {1, 2}) + rawMessage("MO_M", 6, {3});
    ASSERT_TRUE(tcp.serverSend(both.data(), both.size()));
    StreamReader r;
    ASSERT_EQ(r.receive(tcp.client(), 1000), NET_OK);
    uint16_t command = 0;
    uint16_t first = 0;
    ASSERT_TRUE(r.parseMessage(&command, kUploadMagic));
    EXPECT_EQ(command, 5);
    ASSERT_TRUE(r.readU16(&first));
    EXPECT_EQ(first, 0x0201);
    ASSERT_TRUE(r.parseMessage(&command, kUploadMagic));
    EXPECT_EQ(command, 6);
    EXPECT_EQ(r.pendingLength(), 0u);
    EXPECT_FALSE(r.parseMessage(&command, kUploadMagic));
}

TEST(StreamReader, FindsAMagicSplitAcrossChunks) {
    StreamReader r;
    const std::string junk = "0123456MO_";
    r.append(junk.data(), junk.size());
    uint16_t command = 0;
    EXPECT_FALSE(r.parseMessage(&command, kUploadMagic));
    EXPECT_EQ(r.pendingLength(), 3u);
    const auto rest = rawMessage("MO_M", 9, {7});
    r.append(rest.data() + 3, rest.size() - 3);
    ASSERT_TRUE(r.parseMessage(&command, kUploadMagic));
    EXPECT_EQ(command, 9);
    uint8_t value = 0;
    ASSERT_TRUE(r.readBytes(&value, 1));
    EXPECT_EQ(value, 7);
}

TEST(StreamReader, SkipsStrayBytesAndOtherMagics) {
    StreamReader r;
    const auto data = std::vector<uint8_t>{0, 'M', 'O'} + rawMessage("MO_I", 1, {1}) + rawMessage("MO_M", 2, {});
    r.append(data.data(), data.size());
    uint16_t command = 0;
    ASSERT_TRUE(r.parseMessage(&command, kUploadMagic));
    EXPECT_EQ(command, 2);
}

TEST(StreamReader, KeepsAnIncompleteMessagePending) {
    StreamReader r;
    const auto whole = rawMessage("MO_M", 4, std::vector<uint8_t>(100, 0x33));
    r.append(whole.data(), 73);
    uint16_t command = 0;
    EXPECT_FALSE(r.parseMessage(&command, kUploadMagic));
    EXPECT_EQ(r.pendingLength(), 73u);
    r.append(whole.data() + 73, whole.size() - 73);
    ASSERT_TRUE(r.parseMessage(&command, kUploadMagic));
    EXPECT_EQ(r.payloadLength(), 100u);
}

TEST(StreamReader, DescramblesThePayload) {
    const uint8_t key[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const std::vector<uint8_t> plain = {10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
    const auto m = rawMessage("MO_M", 1, plain, 10, key);
    StreamReader r;
    r.append(m.data(), m.size());
    uint16_t command = 0;
    ASSERT_TRUE(r.parseMessage(&command, kUploadMagic));
    std::vector<uint8_t> out(10);
    ASSERT_TRUE(r.readBytes(out.data(), out.size()));
    EXPECT_EQ(out, plain);
}

TEST(StreamReader, OrderlyCloseAndResetBothReadAsClosed) {
    StreamReader r;
    test::TcpPair closed;
    ASSERT_TRUE(closed.ok());
    EXPECT_EQ(r.receive(closed.client(), 10), NET_TIMEOUT);
    closed.serverClose();
    EXPECT_EQ(r.receive(closed.client(), 1000), NET_CLOSED);

    test::TcpPair reset;
    ASSERT_TRUE(reset.ok());
    reset.serverReset();
    EXPECT_EQ(r.receive(reset.client(), 1000), NET_CLOSED);
}

// A descriptor that is no longer open fails the wait itself; a reset left in
// errno by some earlier call must not turn that into a closed connection.
TEST(StreamReader, AFailedWaitIsAnErrorWhateverErrnoHeld) {
    StreamReader r;
    Socket gone = openTcpSocket();
    const SocketHandle stale = gone.get();
    gone.reset();
    errno = ECONNRESET;
    EXPECT_EQ(r.receive(stale, 100), NET_ERROR);
}

}  // namespace
}  // namespace lenscout
