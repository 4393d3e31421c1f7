#pragma once
// A log file opened for appending that the programs this one starts (the
// browser) do not inherit.
#include <cstdio>

namespace lenscout {

std::FILE* openPrivateLog(const char* path);

}  // namespace lenscout
