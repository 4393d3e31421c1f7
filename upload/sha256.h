#pragma once
// SHA-256 (FIPS 180-4), for the report of which image the cameras got.
#include <cstddef>
#include <cstdint>
#include <string>

namespace lenscout {

class Sha256 {
public:
    void update(const void* data, size_t size);
    // The digest as 64 lower-case hex digits; the object is spent.
    std::string hex();

private:
    void block(const uint8_t* p);

    uint32_t h_[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a, 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    uint8_t pending_[64] = {};
    size_t used_ = 0;
    uint64_t bytes_ = 0;
};

}  // namespace lenscout
