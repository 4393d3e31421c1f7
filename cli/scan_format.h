#pragma once
// The scanner's output: one line per camera found and per error, as
// "key=value" text or as one JSON object per line.
#include <cstdint>
#include <string>

#include "discovery/camera_info.h"

namespace lenscout {

std::string foundCameraLine(const CameraInfo& camera, bool json);
std::string errorLine(int32_t code, bool json);
std::string tickLine(uint32_t atMs, bool json);

// A JSON string literal of UTF-8 text; control bytes become \u escapes.
std::string jsonString(const std::string& utf8);

}  // namespace lenscout
