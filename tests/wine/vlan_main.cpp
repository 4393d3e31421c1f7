// Entry of the Windows tests that broadcast. A Windows program cannot see
// its network namespace, so it trusts what tools/vlan and tools/wine-vlan
// set, and both refuse to run outside the virtual LAN.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/socket.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const char* inside = std::getenv("LENSCOUT_VLAN");
    if ((!inside || std::strcmp(inside, "1") != 0 || !std::getenv("WINEPREFIX")) && !testing::GTEST_FLAG(list_tests)) {
        std::fprintf(stderr, "refusing to run outside the virtual LAN: use tools/vlan -- tools/wine-vlan %s\n",
                     argv[0]);
        return 1;
    }
    if (!lenscout::startSocketLayer()) return 1;
    return RUN_ALL_TESTS();
}
