// Entry of the tests that send onto a network: they run only inside the
// virtual LAN that tools/vlan builds, never on the machine's own network.
#include <gtest/gtest.h>

#include <cstdio>

#include "support/vlan_guard.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!lenscout::test::insideVirtualLan() && !testing::GTEST_FLAG(list_tests)) {
        std::fprintf(stderr, "refusing to run outside the virtual LAN: use tools/vlan -- %s\n", argv[0]);
        return 1;
    }
    return RUN_ALL_TESTS();
}
