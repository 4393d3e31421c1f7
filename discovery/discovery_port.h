#pragma once
// The UDP ports of camera discovery: cameras listen and answer there. The
// numbers come from cmake/facts.cmake, which also gives them to the
// firewall files, the manual pages and the Windows installer.
#include <cstdint>
#include <iterator>
#include <vector>

#include "lenscout_facts.h"

namespace lenscout {

// Every port the cameras' replies may come to; the searches go to the first.
constexpr uint16_t kDiscoveryPorts[] = {LENSCOUT_DISCOVERY_PORT_LIST};
constexpr uint16_t DISCOVERY_PORT = kDiscoveryPorts[0];

// The list as the discovery sockets take it.
inline std::vector<uint16_t> discoveryPorts() { return {std::begin(kDiscoveryPorts), std::end(kDiscoveryPorts)}; }

}  // namespace lenscout
