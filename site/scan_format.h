#pragma once
// The scanner's output: one line per camera found and per error, as
// "key=value" text or as one JSON object per line (docs/json.md).
#include <cstdint>
#include <string>

#include <vector>

#include "discovery/camera_info.h"
#include "site/output_text.h"
#include "ui/camera_fields.h"

namespace lenscout {

std::string foundCameraLine(const CameraInfo& camera, bool json);
std::string errorLine(int32_t code, bool json);
std::string tickLine(uint32_t atMs, bool json);

}  // namespace lenscout
