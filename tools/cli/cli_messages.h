#pragma once
// How lenscout-cli speaks: results on standard output, every diagnostic on
// standard error under the tool's name.
#include <cstdint>
#include <string>

namespace lenscout {

void diagnose(const std::string& text);
// A camera's outcome in the system's own words: "ID: text".
void diagnoseCamera(const std::string& id, int textRow);
// Seconds as the tools take them, into milliseconds of the tick clock.
bool parseSeconds(const std::string& text, uint32_t* ms);

}  // namespace lenscout
