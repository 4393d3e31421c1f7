#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace lenscout {

// Every kind of datagram a hostile or broken device might send the
// discovery port: malformed framing, lying lengths, short and unterminated
// replies, scrambled and not, and results with every code but 65534.
std::vector<std::vector<uint8_t>> badDatagrams();

// A well-formed search reply for camera `id` at `ip` (network order), as
// a flood of made-up IDs or of one ID sends it.
std::vector<uint8_t> floodReply(const std::string& id, uint32_t ipNet);

// A result datagram with `code`, as a storm of them sends it.
std::vector<uint8_t> floodResult(uint16_t code);

}  // namespace lenscout
