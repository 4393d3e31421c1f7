#pragma once
// The UDP port of camera discovery: cameras listen and answer there. The
// one place of the number: the programs, the simulator and the flood tool
// include it, and CMake reads kDiscoveryPorts for the firewall files, the
// manual pages and the Windows installer, each of which lets in every port
// of the list.
#include <cstdint>

namespace lenscout {

constexpr uint16_t DISCOVERY_PORT = 10000;
// Every port the cameras' replies may come to; the first is DISCOVERY_PORT.
constexpr uint16_t kDiscoveryPorts[] = {10000};
static_assert(kDiscoveryPorts[0] == DISCOVERY_PORT, "the first discovery port is DISCOVERY_PORT");

}  // namespace lenscout
