#include "support/vlan_guard.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace lenscout::test {

bool insideVirtualLan() {
    const char* vlan = std::getenv("LENSCOUT_VLAN");
    const char* outer = std::getenv("LENSCOUT_OUTER_NETNS");
    char own[64] = {};
    if (!vlan || std::strcmp(vlan, "1") != 0 || !outer || readlink("/proc/self/ns/net", own, sizeof own - 1) <= 0)
        return false;
    return std::string(own) != outer;
}

}  // namespace lenscout::test
