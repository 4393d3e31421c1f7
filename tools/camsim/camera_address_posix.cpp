#include "tools/camsim/camera_address.h"

#include <spawn.h>
#include <sys/wait.h>

#include <bitset>
#include <vector>

#include "platform/interface_table.h"

extern char** environ;

namespace lenscout {

namespace {

std::string dottedQuad(uint32_t addrNet) {
    const auto* b = reinterpret_cast<const uint8_t*>(&addrNet);
    return std::to_string(b[0]) + "." + std::to_string(b[1]) + "." + std::to_string(b[2]) + "." + std::to_string(b[3]);
}

// The host's link: its first interface that is up and not loopback.
std::string linkName() {
    std::vector<Ipv4Interface> table;
    if (!readInterfaceTable(&table)) return {};
    for (const Ipv4Interface& i : table)
        if (i.up && !i.loopback) return interfaceName(i.index);
    return {};
}

}  // namespace

// Through ip(8), which every host of the virtual LAN has: the simulator
// runs there with the rights over its own network namespace.
bool addCameraAddress(uint32_t addrNet, uint32_t maskNet, std::string* error) {
    const std::string link = linkName();
    if (link.empty()) return *error = "no link to put " + dottedQuad(addrNet) + " on", false;
    const std::string prefix = dottedQuad(addrNet) + "/" + std::to_string(std::bitset<32>(maskNet).count());
    const char* args[] = {"ip", "-4", "addr", "add", prefix.c_str(), "dev", link.c_str(), nullptr};
    pid_t pid = -1;
    if (posix_spawnp(&pid, "ip", nullptr, nullptr, const_cast<char**>(args), environ) != 0)
        return *error = "cannot run ip", false;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return *error = "ip could not add " + prefix + " to " + link, false;
    return true;
}

}  // namespace lenscout
