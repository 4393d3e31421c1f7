#include "tools/camsim/sim_wire.h"

#include "tools/camsim/sim_codec.h"

namespace lenscout {

std::vector<uint8_t> wireBytes(const char* magic, uint16_t command, const std::vector<uint8_t>& payload,
                               const SimOptions& options) {
    std::vector<uint8_t> out(options.strayBytes, 0x5a);
    const std::vector<uint8_t> key(options.key.begin(), options.key.end());
    const std::vector<uint8_t> message = sim::encode(magic, command, payload, options.scramble ? &key : nullptr);
    out.insert(out.end(), message.begin(), message.end());
    return out;
}

}  // namespace lenscout
