#pragma once
// Helpers shared by the writer and both readers.
#include <cstddef>
#include <cstdint>

namespace lenscout {

inline uint16_t loadLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t loadLe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}
inline void storeLe16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void storeLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// XOR with the 8-byte key, starting over every 8 bytes; its own inverse.
void descramble(uint8_t* data, size_t count, const uint8_t* key);

// Copies count bytes from cursor to dest and advances cursor, or fails and
// consumes nothing when cursor is null or fewer than count bytes remain.
bool readPayload(const uint8_t*& cursor, const uint8_t* end, void* dest, size_t count);

}  // namespace lenscout
