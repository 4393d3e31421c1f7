#pragma once
// Network configuration of one camera (dialog 134): DHCP or a fixed
// address, mask, gateway and DNS server, the HTTP port, and the credentials
// that authorise the change. Nothing is sent from here.
#include "discovery/camera_info.h"
#include "win32/message_box.h"
#include "win32/modal_dialog.h"

namespace lenscout {

class CNetConfigDlg : public ModalDialog {
public:
    explicit CNetConfigDlg(MessageBoxFn messageBox = showMessageBox);
    CameraInfo m_camera{};  // filled by the opener; on IDOK the accepted settings

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int notification) override;

private:
    void OnDhcpClicked();
    void fillAddresses();
    void fillPort();
    bool dhcpChecked() const;

    MessageBoxFn messageBox_;
};

}  // namespace lenscout
