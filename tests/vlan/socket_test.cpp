// Limits of the platform's blocking calls, against peers that never answer.
#include "platform/socket.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

namespace lenscout {
namespace {

// An address on the LAN whose frames go to a station that does not exist:
// a connect to it hears nothing, neither an answer nor a refusal.
TEST(SocketLimits, AConnectToASilentAddressGivesUpAtItsLimit) {
    ASSERT_EQ(std::system("ip neigh replace 192.168.77.250 lladdr 02:00:00:00:00:fe dev lan0 nud permanent"), 0);
    uint32_t silent = 0;
    parseIpv4("192.168.77.250", &silent);
    Socket s = openTcpSocket();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(connectWithin(s.get(), silent, toNetPort(80), 300));
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_GE(took.count(), 290);
    EXPECT_LT(took.count(), 1500);
}

TEST(SocketLimits, AConnectThatIsRefusedFailsAtOnce) {
    uint32_t host = 0;
    parseIpv4(std::getenv("LENSCOUT_HOST_ADDR_1"), &host);
    Socket s = openTcpSocket();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(connectWithin(s.get(), host, toNetPort(9), 5000));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

}  // namespace
}  // namespace lenscout
