#include "protocol/payload.h"

#include <cstring>

#include "protocol/packet_header.h"

namespace lenscout {

void descramble(uint8_t* data, size_t count, const uint8_t* key) {
    for (size_t i = 0; i < count; ++i) data[i] ^= key[i % kKeySize];
}

bool readPayload(const uint8_t*& cursor, const uint8_t* end, void* dest, size_t count) {
    if (cursor == nullptr) return false;
    if (static_cast<size_t>(end - cursor) < count) return false;
    if (count > 0) std::memcpy(dest, cursor, count);
    cursor += count;
    return true;
}

}  // namespace lenscout
