// Entry of the tests that send onto a network: they run only inside the
// virtual LAN that tools/vlan builds, never on the machine's own network.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool insideOwnNamespace() {
    const char* vlan = std::getenv("LENSCOUT_VLAN");
    const char* outer = std::getenv("LENSCOUT_OUTER_NETNS");
    char own[64] = {};
    if (!vlan || std::strcmp(vlan, "1") != 0 || !outer || readlink("/proc/self/ns/net", own, sizeof own - 1) <= 0)
        return false;
    return std::string(own) != outer;
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!insideOwnNamespace() && !testing::GTEST_FLAG(list_tests)) {
        std::fprintf(stderr, "refusing to run outside the virtual LAN: use tools/vlan -- %s\n", argv[0]);
        return 1;
    }
    return RUN_ALL_TESTS();
}
