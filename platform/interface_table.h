#pragma once
#include <cstdint>
#include <vector>

namespace lenscout {

// One of the machine's own IPv4 addresses with its netmask, both in
// network byte order.
struct Ipv4Interface {
    uint32_t addr;
    uint32_t mask;
};

// The machine's IPv4 interfaces in the order the system gives them;
// false when the table cannot be obtained.
bool readInterfaceTable(std::vector<Ipv4Interface>* rows);

}  // namespace lenscout
