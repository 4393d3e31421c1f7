#pragma once
// The text of a camera's line, UTF-8: a name column as wide as 25 bytes of
// the camera's GBK, then the status that also says what a double-click does.
#include <cstddef>
#include <string>
#include <string_view>

#include "app/text_fit.h"
#include "discovery/camera_info.h"

namespace lenscout {

constexpr size_t kNameColumn = 25;
constexpr size_t kStatusLimit = 100;

// In the current language, at the moment of the call.
std::string FormatCameraLine(const CameraInfo& camera);

}  // namespace lenscout
