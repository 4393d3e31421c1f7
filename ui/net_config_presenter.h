#pragma once
// The network configuration dialog's rules, for both desktops: what the
// fields show, the DHCP switch, and the check of OK.
#include "discovery/camera_info.h"
#include "discovery/camera_request.h"
#include "ui/dialog_view.h"

namespace lenscout {

class NetConfigView : public DialogView {
public:
    virtual bool dhcpChecked() const = 0;
    // The four address fields take input, or not.
    virtual void enableAddresses(bool enabled) = 0;
};

// The camera's addresses and port into their fields.
void fillNetworkFields(NetConfigView& view, const CameraInfo& camera);
// In DHCP mode the four addresses show 0 and take no input; back in fixed
// mode they, and the port, are the camera's again.
void OnDhcpClicked(NetConfigView& view, const CameraInfo& camera);
// OK: the settings checked, the fields showing the values that count, then
// the credentials. True when `request` is the request to `camera` with the
// new settings and the credentials, and the dialog may close; otherwise the
// user has been told why not.
bool acceptNetworkSettings(NetConfigView& view, const CameraInfo& camera, CameraRequest& request);

}  // namespace lenscout
