#pragma once
// Reading and filling the camera dialogs' fields: IPv4 address controls,
// the port and the credentials, in the forms the core's rules take.
#include <windows.h>

#include <cstdint>
#include <string>

#include "discovery/camera_info.h"
#include "win32/message_box.h"

namespace lenscout {

// An IPv4 address control from and to an address in network order.
void setAddressField(HWND field, uint32_t addrNet);
// The control's four numbers as a dotted quad; a blank number reads 0.
std::string addressFieldText(HWND field);

// The user, then the password, each cut to what the camera takes and
// written back so that a longer entry is visibly cut. Without a user name
// nothing is read further: "Incorrect user or password !", and false.
bool takeCredentials(HWND user, HWND password, CameraInfo& camera, const MessageBoxFn& messageBox, HWND owner);

}  // namespace lenscout
