#pragma once
#include <cstdint>
#include <vector>

#include "discovery/camera_info.h"
#include "platform/interface_table.h"

namespace lenscout {

// True when one of the interfaces, loopback aside, has exactly the camera's mask and the
// camera's address lies in that interface's subnet.
bool inLocalSubnet(const std::vector<Ipv4Interface>& interfaces, uint32_t ipNet, uint32_t maskNet);

// Clears sameSubnet when no interface matches. Without a table (null) the
// camera counts as local.
void applySameSubnet(CameraInfo& camera, const std::vector<Ipv4Interface>* interfaces);

}  // namespace lenscout
