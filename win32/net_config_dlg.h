#pragma once
// Network configuration of one camera (dialog 134): DHCP or a fixed
// address, mask, gateway and DNS server, the HTTP port, and the credentials
// that authorise the change. Nothing is sent from here.
#include "discovery/camera_info.h"
#include "ui/net_config_presenter.h"
#include "win32/control_fields.h"
#include "win32/message_box.h"
#include "win32/modal_dialog.h"

namespace lenscout {

class CNetConfigDlg : public ModalDialog, private NetConfigView {
public:
    explicit CNetConfigDlg(MessageBoxFn messageBox = showMessageBox);
    // Filled by the opener. On IDOK, m_request is the request to it with the
    // accepted settings and the credentials.
    CameraInfo m_camera{};
    CameraRequest m_request{};

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int notification) override;

private:
    DialogFields& fields() override { return fields_; }
    void showMessage(int textRow) override;
    bool dhcpChecked() const override;
    void enableAddresses(bool enabled) override;

    MessageBoxFn messageBox_;
    ControlFields fields_;
};

}  // namespace lenscout
