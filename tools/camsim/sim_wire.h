#pragma once
// How the simulated cameras put a finished message on the wire: scrambled
// with the key and behind stray bytes when the options ask for it, as a
// camera's own firmware might.
#include <cstdint>
#include <vector>

#include "protocol/packet_writer.h"
#include "tools/camsim/sim_options.h"

namespace lenscout {

std::vector<uint8_t> wireBytes(const PacketWriter& writer, const SimOptions& options);

}  // namespace lenscout
