#pragma once
// Checks of the values on the tools' command lines and in camera settings.
#include <cstdint>
#include <string>

namespace lenscout {

bool parseUnsigned(const std::string& text, uint64_t max, uint64_t* out, int base = 10);
bool parseSigned(const std::string& text, int64_t min, int64_t max, int64_t* out);
// "a.b.c.d" into a 32-bit value whose stored bytes are a, b, c, d: the form
// of addresses in network byte order and of the cameras' version numbers.
bool parseDotted(const std::string& text, uint32_t* out);
// "min-max" or "n".
bool parseRange(const std::string& text, uint64_t max, uint64_t* low, uint64_t* high);
bool parseHex(const std::string& text, std::string* bytes);

}  // namespace lenscout
