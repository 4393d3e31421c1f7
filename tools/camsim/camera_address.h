#pragma once
// A camera answers from its own address. The simulator plays many cameras
// on one host, so it gives the host each camera's address as it needs it.
#include <cstdint>
#include <string>

namespace lenscout {

// Adds the address (network order) with its mask to this host's link;
// false with the reason when it cannot.
bool addCameraAddress(uint32_t addrNet, uint32_t maskNet, std::string* error);

}  // namespace lenscout
