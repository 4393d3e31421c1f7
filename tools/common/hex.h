#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace lenscout {

// Lower-case hex digits of the bytes, two per byte, no separators.
std::string hexOf(const uint8_t* data, size_t count);

}  // namespace lenscout
