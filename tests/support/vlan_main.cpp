// Entry of the tests that send onto a network: they run only inside the
// virtual LAN that tools/vlan builds, never on the machine's own network.
#include <gtest/gtest.h>

#include <cstdio>

#include "support/environment.h"
#include "support/sim_process.h"
#include "support/vlan_guard.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    lenscout::test::isolateUserSettings();
    if (!lenscout::test::insideVirtualLan() && !testing::GTEST_FLAG(list_tests)) {
        std::fprintf(stderr, "refusing to run outside the virtual LAN: use tools/vlan -- %s\n", argv[0]);
        return 1;
    }
    // Every test on the virtual LAN also asks the simulator whether the
    // program kept to the wire layout.
    lenscout::test::onViolations = [](const std::string& lines) {
        ADD_FAILURE() << "the simulator saw the wire layout broken:\n" << lines;
    };
    return RUN_ALL_TESTS();
}
