#pragma once
// The inventory of the cameras that answered: CSV (RFC 4180, a header row,
// CRLF line ends) or one JSON array. The columns and their order are a
// stable interface, documented in docs/inventory.md and the manual page.
#include <cstdint>
#include <string>
#include <vector>
#include "ui/camera_fields.h"

#include "discovery/camera_info.h"
#include "site/output_text.h"

namespace lenscout {

// The columns are the camera fields shown in the inventory, in their
// order: id, name, ip, mask, gateway, dns, http_port, firmware, webui,
// same_subnet, interface, local_address.
// `forTerminal`: the cameras' texts with control bytes escaped, as a
// terminal must show them; a file gets them as they are.
std::string inventoryCsv(const std::vector<CameraInfo>& cameras, const InterfaceNames& names, bool forTerminal = false);
std::string inventoryJson(const std::vector<CameraInfo>& cameras, const InterfaceNames& names);

}  // namespace lenscout
