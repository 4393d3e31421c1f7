#pragma once
#include <cstdint>
#include <vector>

namespace lenscout {

// Every kind of datagram a hostile or broken device might send the
// discovery port: malformed framing, lying lengths, short and unterminated
// replies, scrambled and not, and results with every code but 65534.
std::vector<std::vector<uint8_t>> badDatagrams();

}  // namespace lenscout
