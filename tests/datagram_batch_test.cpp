// Taking every waiting datagram at once, on a loopback pair.
#include "platform/datagram_batch.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/loopback.h"

namespace lenscout {
namespace {

TEST(DatagramBatch, TakesEveryWaitingDatagramWholeAndInOrder) {
    test::UdpPair pair;
    ASSERT_TRUE(pair.ok());
    setReceiveBuffer(pair.receiver(), 1 << 20);
    DatagramBatch batch;
    EXPECT_EQ(batch.receiveWaiting(pair.receiver()), 0) << "nothing waiting, and no wait for it";
    // More than one system call's worth, of sizes 0 up to a long reply.
    const size_t sizes[] = {0, 1, 87, 5000};
    for (uint8_t i = 0; i < 200; ++i) {
        std::vector<uint8_t> d(sizes[i % 4], i);
        ASSERT_TRUE(pair.send(d.data(), d.size()));
    }
    ASSERT_EQ(batch.receiveWaiting(pair.receiver()), 200);
    for (size_t i = 0; i < 200; ++i) {
        ASSERT_EQ(batch.size(i), sizes[i % 4]);
        if (batch.size(i)) {
            EXPECT_EQ(batch.data(i)[batch.size(i) - 1], static_cast<uint8_t>(i));
        }
    }
    EXPECT_EQ(batch.receiveWaiting(pair.receiver()), 0) << "a new call forgets the last batch";
}

// What the single-datagram path keeps, the batch keeps: up to the largest
// UDP datagram over IPv4, 65507 bytes.
TEST(DatagramBatch, KeepsTheLongestDatagramWholeAndStopsAtItsLimit) {
    test::UdpPair pair;
    ASSERT_TRUE(pair.ok());
    setReceiveBuffer(pair.receiver(), 4 << 20);
    std::vector<uint8_t> big(65507, 7), small(27, 1);
    big.back() = 9;
    ASSERT_TRUE(pair.send(small.data(), small.size()));
    ASSERT_TRUE(pair.send(big.data(), big.size()));
    ASSERT_TRUE(pair.send(small.data(), small.size()));
    DatagramBatch batch;
    ASSERT_EQ(batch.receiveWaiting(pair.receiver()), 3);
    EXPECT_EQ(batch.size(0), 27u);
    ASSERT_EQ(batch.size(1), 65507u);
    EXPECT_EQ(batch.data(1)[65506], 9);
    EXPECT_EQ(batch.size(2), 27u);

    for (size_t i = 0; i < DatagramBatch::kMaxDatagrams + 10; ++i) ASSERT_TRUE(pair.send(small.data(), small.size()));
    EXPECT_EQ(static_cast<size_t>(batch.receiveWaiting(pair.receiver())), DatagramBatch::kMaxDatagrams);
    EXPECT_EQ(batch.receiveWaiting(pair.receiver()), 10) << "the rest waits for the next pass";
}

// Each datagram says where it arrived: here the loopback interface, and
// 127.0.0.1 as the address that received it, on both receive paths.
TEST(DatagramBatch, EachDatagramSaysWhereItArrived) {
    test::UdpPair pair;
    ASSERT_TRUE(pair.ok());
    ASSERT_TRUE(enableArrivalInfo(pair.receiver()));
    uint32_t loopback = 0;
    ASSERT_TRUE(parseIpv4("127.0.0.1", &loopback));
    const uint8_t one[3] = {1, 2, 3};
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(pair.send(one, sizeof one));

    uint8_t into[16];
    Arrival first;
    ASSERT_EQ(receiveWithArrival(pair.receiver(), into, sizeof into, &first), 3);
    EXPECT_NE(first.index, 0u);
    EXPECT_EQ(first.localNet, loopback);
    DatagramBatch batch;
    ASSERT_EQ(batch.receiveWaiting(pair.receiver()), 2);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(batch.arrival(i).index, first.index);
        EXPECT_EQ(batch.arrival(i).localNet, loopback);
    }
}

TEST(DatagramBatch, AFailedSocketIsReported) {
    DatagramBatch batch;
    EXPECT_EQ(batch.receiveWaiting(kInvalidSocket), -1);
}

}  // namespace
}  // namespace lenscout

namespace lenscout {
namespace {

// A wait on several sockets names the one that can be read, whichever it is.
TEST(WaitAnyReadable, NamesTheSocketThatCanBeRead) {
    test::UdpPair first, second;
    ASSERT_TRUE(first.ok() && second.ok());
    const SocketHandle both[] = {first.receiver(), second.receiver()};
    size_t ready = 9;
    EXPECT_EQ(waitAnyReadable(both, 2, 20, &ready), WaitResult::Timeout);
    const uint8_t byte = 1;
    ASSERT_TRUE(second.send(&byte, 1));
    EXPECT_EQ(waitAnyReadable(both, 2, 1000, &ready), WaitResult::Readable);
    EXPECT_EQ(ready, 1u);
    ASSERT_TRUE(first.send(&byte, 1));
    ASSERT_EQ(waitAnyReadable(both, 1, 1000, &ready), WaitResult::Readable);
    EXPECT_EQ(ready, 0u);
}

}  // namespace
}  // namespace lenscout
