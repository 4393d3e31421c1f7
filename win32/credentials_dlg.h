#pragma once
// The dialog that asks for a camera's user and password alone, for any
// command that needs nothing else; its template is made at run time from
// its layout (ui/properties_layout.h).
#include "discovery/camera_info.h"
#include "discovery/camera_request.h"
#include "win32/control_fields.h"
#include "win32/message_box.h"
#include "win32/modal_dialog.h"

namespace lenscout {

class CCredentialsDlg : public ModalDialog, private DialogView {
public:
    explicit CCredentialsDlg(MessageBoxFn messageBox = showMessageBox);
    // Filled by the opener: the camera and the row of the command, which
    // title the dialog. On IDOK, m_credentials holds what was typed; the
    // opener wipes it.
    CameraInfo m_camera{};
    int m_titleRow = 0;
    Credentials m_credentials{};

protected:
    BOOL OnInitDialog() override;
    // OK and Enter: an empty user is refused, as in every credentials dialog.
    void OnOK() override;

private:
    DialogFields& fields() override { return fields_; }
    void showMessage(int textRow) override;
    void layOut();

    MessageBoxFn messageBox_;
    ControlFields fields_;
};

}  // namespace lenscout
