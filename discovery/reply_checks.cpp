#include "discovery/reply_checks.h"

namespace lenscout {

namespace {

uint8_t firstOctet(uint32_t addrNet) { return reinterpret_cast<const uint8_t*>(&addrNet)[0]; }

}  // namespace

bool sentByThisComputer(uint32_t senderNet, const std::vector<Ipv4Interface>* interfaces) {
    if (firstOctet(senderNet) == 127) return true;
    if (interfaces)
        for (const Ipv4Interface& i : *interfaces)
            if (i.addr == senderNet) return true;
    return false;
}

bool unusableCameraAddress(uint32_t ipNet, const std::vector<Ipv4Interface>* interfaces) {
    const uint8_t first = firstOctet(ipNet);
    // 224/4 is multicast; 240/4 above it is reserved and ends in the
    // limited broadcast address.
    if (first == 0 || first == 127 || first >= 224) return true;
    if (interfaces)
        for (const Ipv4Interface& i : *interfaces)
            if (i.broadcast && !i.loopback && i.mask != 0xffffffffu && (i.addr | ~i.mask) == ipNet) return true;
    return false;
}

}  // namespace lenscout
