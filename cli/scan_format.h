#pragma once
// The scanner's output: one line per camera found and per error, as
// "key=value" text or as one JSON object per line.
#include <cstdint>
#include <string>

#include <vector>

#include "cli/output_text.h"
#include "discovery/camera_info.h"
#include "ui/camera_fields.h"

namespace lenscout {

std::string foundCameraLine(const CameraInfo& camera, bool json);
std::string errorLine(int32_t code, bool json);
std::string tickLine(uint32_t atMs, bool json);

// A camera's network settings as one JSON object: dhcp, then the settings'
// fields (ip, mask, gateway, dns, http_port).
std::string networkSettingsJson(const CameraInfo& camera, bool dhcp);

// The camera's fields as one JSON object, UTF-8, in the order given.
std::string cameraJson(const CameraInfo& camera, const std::vector<const CameraField*>& fields,
                       const InterfaceNames& names = nullptr);

}  // namespace lenscout
