#include "support/vlan_link.h"

#include <cstdlib>

namespace lenscout::test {

bool changeLink(const std::string& action, const std::string& link) {
    const char* command = std::getenv("LENSCOUT_VLAN_LINK");
    if (!command) return false;
    return std::system((std::string(command) + " " + action + " " + link).c_str()) == 0;
}

}  // namespace lenscout::test
