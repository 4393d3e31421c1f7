#pragma once
// 64-bit positions in a C stream: images can pass what a long holds.
#include <cstdint>
#include <cstdio>

namespace lenscout {

// From the start (`fromEnd` false) or the end of the file; false on failure.
bool seekFile(std::FILE* file, int64_t offset, bool fromEnd = false);
// The current position, or -1.
int64_t filePosition(std::FILE* file);

}  // namespace lenscout
