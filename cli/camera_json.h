#pragma once
// Every JSON the tools write goes through nlohmann/json, and a camera has
// one shape in all of them (docs/json.md): its fields by their table keys,
// texts and dotted values as strings, numbers as numbers, booleans as
// true/false.
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "discovery/camera_info.h"
#include "ui/camera_fields.h"

namespace lenscout {

// Keys stay in the order they are written, as people read them.
using Json = nlohmann::ordered_json;

Json cameraObject(const CameraInfo& camera, const std::vector<const CameraField*>& fields,
                  const InterfaceNames& names = nullptr);

// Whether a camera is in DHCP mode. A search reply does not show it, so
// what a camera showed is Unknown; a plan says yes or no.
enum class DhcpMode { Off, On, Unknown };
// dhcp (true, false or "unknown"), then ip, mask, gateway, dns, http_port.
Json settingsObject(const CameraInfo& camera, DhcpMode dhcp);

// One line of JSON, without its line end; text that is not UTF-8 is
// replaced rather than thrown over.
std::string jsonText(const Json& value);

}  // namespace lenscout
