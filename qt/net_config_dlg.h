#pragma once
// Network configuration of one camera (dialog 134): DHCP or a fixed
// address, the HTTP port, and the credentials that authorise the change.
// It only edits its copy of the record; the opener sends it.
#include <QDialog>
#include <memory>

#include "discovery/camera_info.h"
#include "qt/line_edit_fields.h"
#include "qt/message_box.h"
#include "ui/net_config_presenter.h"

namespace Ui {
class CNetConfigDlg;
}

namespace lenscout {

class CNetConfigDlg : public QDialog, private NetConfigView {
public:
    explicit CNetConfigDlg(MessageBoxFn messageBox = showMessageBox);
    ~CNetConfigDlg() override;

    // Filled by the opener before DoModal. On Accepted, m_request is the
    // request to it with the new settings and the credentials.
    CameraInfo m_camera{};
    CameraRequest m_request{};

    void OnInitDialog();
    // OnInitDialog, then the dialog's own loop; Accepted or Rejected.
    int DoModal();

protected:
    // OK and Enter: the checks, then the settings written into m_request.
    void accept() override;

private:
    DialogFields& fields() override { return fields_; }
    void showMessage(int textRow) override;
    bool dhcpChecked() const override;
    void enableAddresses(bool enabled) override;

    std::unique_ptr<Ui::CNetConfigDlg> ui_;
    MessageBoxFn messageBox_;
    LineEditFields fields_;
};

}  // namespace lenscout
