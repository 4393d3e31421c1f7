// The line a later start sends the running desktop, from any local process
// of the same user.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/show_request.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const auto token = lenscout::parseShowRequest(line);
    if (!token) return 0;
    // Only "show" or "show TOKEN" of printable ASCII, which sends back the same.
    if (line.size() > lenscout::kLongestShowRequest || line.rfind("show", 0) != 0) __builtin_trap();
    for (unsigned char c : *token)
        if (c <= ' ' || c >= 0x7f) __builtin_trap();
    if (lenscout::showRequest(*token) != line + "\n") __builtin_trap();
    return 0;
}
