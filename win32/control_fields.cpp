#include "win32/control_fields.h"

#include <commctrl.h>

#include "discovery/camera_text.h"
#include "platform/socket.h"
#include "win32/wide_text.h"

namespace lenscout {

// An address control's four numbers as a dotted quad; a blank number reads 0.
std::string ControlFields::text(DialogField field) const {
    HWND control = controls_.at(field);
    if (!isAddressField(field)) return utf8FromWide(windowText(control));
    DWORD host = 0;
    SendMessageW(control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&host));
    return dottedQuad(toNetLong(host));
}

void ControlFields::setText(DialogField field, const std::string& text) {
    HWND control = controls_.at(field);
    if (!isAddressField(field)) return setWindowUtf8(control, text);
    uint32_t addrNet = 0;
    parseIpv4(text.c_str(), &addrNet);
    SendMessageW(control, IPM_SETADDRESS, 0, static_cast<LPARAM>(toHostLong(addrNet)));
}

}  // namespace lenscout
