#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace lenscout {

// One of the machine's own IPv4 addresses with its netmask, both in
// network byte order, and the interface that holds it.
struct Ipv4Interface {
    uint32_t addr;
    uint32_t mask;
    uint32_t index = 0;  // the system's interface index; 0 when unknown
    bool up = false;
    bool broadcast = false;  // the link can broadcast
    bool loopback = false;
};

// The machine's IPv4 interfaces in the order the system gives them;
// false when the table cannot be obtained.
bool readInterfaceTable(std::vector<Ipv4Interface>* rows);

// Why no search goes out through this address, or null when one does: its
// link must be up, able to broadcast and lead somewhere other than this
// machine.
inline const char* whyNotSearched(const Ipv4Interface& i) {
    if (i.loopback) return "loopback";
    if (!i.up) return "down";
    if (!i.broadcast) return "cannot broadcast";
    if (i.index == 0) return "no interface index";
    return nullptr;
}
inline bool searchesThrough(const Ipv4Interface& i) { return whyNotSearched(i) == nullptr; }
// The interface's name ("eth0"; on Windows its alias, "Ethernet"), or ""
// when the index names none.
std::string interfaceName(uint32_t index);

}  // namespace lenscout
