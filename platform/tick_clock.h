#pragma once
#include <cstdint>

namespace lenscout {

// Monotonic milliseconds cut to 32 bits: wraps about every 49.7 days, so
// every comparison of two readings must be made on their difference.
uint32_t tickCount();

// True when `now` has reached `due`, across a wrap of the clock as well.
inline bool tickReached(uint32_t now, uint32_t due) { return now - due < 0x80000000u; }

}  // namespace lenscout
