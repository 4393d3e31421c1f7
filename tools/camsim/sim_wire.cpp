#include "tools/camsim/sim_wire.h"

#include <cstring>

#include "protocol/packet_header.h"
#include "protocol/payload.h"

namespace lenscout {

std::vector<uint8_t> wireBytes(const PacketWriter& writer, const SimOptions& options) {
    std::vector<uint8_t> out(options.strayBytes, 0x5a);
    out.insert(out.end(), writer.data(), writer.data() + writer.length());
    uint8_t* message = out.data() + options.strayBytes;
    if (options.scramble) {
        message[kScrambledOffset] = 1;
        std::memcpy(message + kKeyOffset, options.key.data(), kKeySize);
        descramble(message + kHeaderSize, static_cast<size_t>(writer.length() - kHeaderSize), message + kKeyOffset);
    }
    return out;
}

}  // namespace lenscout
