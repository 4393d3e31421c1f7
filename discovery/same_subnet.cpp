#include "discovery/same_subnet.h"

namespace lenscout {

bool inLocalSubnet(const std::vector<Ipv4Interface>& interfaces, uint32_t ipNet, uint32_t maskNet) {
    for (const Ipv4Interface& i : interfaces)
        if (!i.loopback && i.mask == maskNet && (i.addr & i.mask) == (ipNet & maskNet)) return true;
    return false;
}

void applySameSubnet(CameraInfo& camera, const std::vector<Ipv4Interface>* interfaces) {
    if (interfaces && !inLocalSubnet(*interfaces, camera.ip, camera.mask)) camera.sameSubnet = 0;
}

}  // namespace lenscout
