#pragma once
// A camera has one JSON shape in every command's output (docs/json.md): its
// fields by their table keys, texts and dotted values as strings, numbers as
// numbers, booleans as true/false.
#include <string>
#include <vector>

#include "discovery/camera_info.h"
#include "site/json_value.h"
#include "ui/camera_fields.h"

namespace lenscout {

Json cameraObject(const CameraInfo& camera, const std::vector<const CameraField*>& fields,
                  const InterfaceNames& names = nullptr);

// Whether a camera is in DHCP mode. A search reply does not show it, so
// what a camera showed is Unknown; a plan says yes or no.
enum class DhcpMode { Off, On, Unknown };
// dhcp (true, false or "unknown"), then ip, mask, gateway, dns, http_port.
Json settingsObject(const CameraInfo& camera, DhcpMode dhcp);

// One line of JSON, without its line end (Json::text).
inline std::string jsonText(const Json& value) { return value.text(); }

}  // namespace lenscout
