#pragma once
// The UDP port of camera discovery: cameras listen and answer there. The
// one place of the number: the programs, the simulator and the flood tool
// include it, and CMake reads it for the firewall files, the manual pages
// and the Windows installer.
#include <cstdint>

namespace lenscout {

constexpr uint16_t DISCOVERY_PORT = 10000;

}  // namespace lenscout
