#pragma once
#include <cstdint>
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

// A search goes out through this address: its link is up, can broadcast
// and leads somewhere other than this machine.
inline bool searchesThrough(const Ipv4Interface& i) { return i.up && i.broadcast && !i.loopback && i.index != 0; }

}  // namespace lenscout
