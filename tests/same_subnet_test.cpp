#include "discovery/same_subnet.h"

#include <gtest/gtest.h>

#include "platform/socket.h"
#include "support/message_bytes.h"

namespace lenscout {
namespace {

using test::ip;

TEST(SameSubnet, MasksMustBeEqualAndTheNetworkShared) {
    const std::vector<Ipv4Interface> table = {{ip("127.0.0.1"), ip("255.0.0.0")},
                                              {ip("192.168.1.5"), ip("255.255.255.0")}};
    EXPECT_TRUE(inLocalSubnet(table, ip("192.168.1.20"), ip("255.255.255.0")));
    EXPECT_FALSE(inLocalSubnet(table, ip("192.168.1.20"), ip("255.255.0.0")));
    EXPECT_FALSE(inLocalSubnet(table, ip("192.168.2.20"), ip("255.255.255.0")));
    EXPECT_FALSE(inLocalSubnet({}, ip("192.168.1.20"), ip("255.255.255.0")));
}

// Masked either way these addresses give the interface's network; the
// masks differ, so they are other subnets.
TEST(SameSubnet, AnotherMaskIsAnotherSubnetEvenOnTheSameNetwork) {
    const std::vector<Ipv4Interface> table = {{ip("192.168.77.1"), ip("255.255.255.0")},
                                              {ip("192.168.0.1"), ip("255.255.255.0")}};
    EXPECT_FALSE(inLocalSubnet(table, ip("192.168.77.5"), ip("255.255.255.128")));
    EXPECT_FALSE(inLocalSubnet(table, ip("192.168.0.9"), ip("255.255.0.0")));
    EXPECT_TRUE(inLocalSubnet(table, ip("192.168.0.9"), ip("255.255.255.0")));
}

// A camera claiming 127.0.0.5/8 shares no subnet with this computer.
TEST(SameSubnet, NeverThroughLoopback) {
    Ipv4Interface loopback{ip("127.0.0.1"), ip("255.0.0.0")};
    loopback.loopback = true;
    EXPECT_FALSE(inLocalSubnet({loopback}, ip("127.0.0.5"), ip("255.0.0.0")));
}

TEST(SameSubnet, ClearsTheFlagOnlyWithATable) {
    CameraInfo camera{};
    camera.ip = ip("10.1.1.1");
    camera.mask = ip("255.255.255.0");
    camera.sameSubnet = 1;
    applySameSubnet(camera, nullptr);
    EXPECT_EQ(camera.sameSubnet, 1);
    const std::vector<Ipv4Interface> table = {{ip("192.168.1.5"), ip("255.255.255.0")}};
    applySameSubnet(camera, &table);
    EXPECT_EQ(camera.sameSubnet, 0);
}

}  // namespace
}  // namespace lenscout
