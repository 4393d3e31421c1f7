#include "win32/dialog_fields.h"

#include <commctrl.h>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "platform/socket.h"
#include "ui/network_settings.h"
#include "win32/wide_text.h"

namespace lenscout {

void setAddressField(HWND field, uint32_t addrNet) {
    SendMessageW(field, IPM_SETADDRESS, 0, static_cast<LPARAM>(toHostLong(addrNet)));
}

std::string addressFieldText(HWND field) {
    DWORD host = 0;
    SendMessageW(field, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&host));
    return dottedQuad(toNetLong(host));
}

namespace {

template <size_t N>
void takeField(HWND field, char (&into)[N]) {
    setFieldText(into, cutGbkCredential(gbkFromWide(windowText(field))));
    setWindowGbk(field, fieldText(into));
}

}  // namespace

bool takeCredentials(HWND user, HWND password, CameraInfo& camera, const MessageBoxFn& messageBox, HWND owner) {
    takeField(user, camera.user);
    if (fieldText(camera.user).empty()) {
        messageBox(owner, CurrentText(kTextIncorrectCredentials));
        return false;
    }
    takeField(password, camera.password);
    return true;
}

}  // namespace lenscout
