#pragma once
// How the simulated cameras put a message on the wire: scrambled with the
// key and behind stray bytes when the options ask for it, as a camera's own
// firmware might.
#include <cstdint>
#include <vector>

#include "tools/camsim/sim_options.h"

namespace lenscout {

std::vector<uint8_t> wireBytes(const char* magic, uint16_t command, const std::vector<uint8_t>& payload,
                               const SimOptions& options);

}  // namespace lenscout
