#pragma once
// The dialog that asks for a camera's user and password alone, for any
// command that needs nothing else; built at run time from its layout
// (ui/properties_layout.h).
#include <QDialog>

#include "discovery/camera_info.h"
#include "discovery/camera_request.h"
#include "qt/line_edit_fields.h"
#include "qt/message_box.h"
#include "ui/dialog_view.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace lenscout {

class CCredentialsDlg : public QDialog, private DialogView {
public:
    explicit CCredentialsDlg(MessageBoxFn messageBox = showMessageBox);
    ~CCredentialsDlg() override;

    // Filled by the opener before DoModal: the camera and the row of the
    // command, which title the dialog. On Accepted, m_credentials holds
    // what was typed; the opener wipes it.
    CameraInfo m_camera{};
    int m_titleRow = 0;
    Credentials m_credentials{};

    void OnInitDialog();
    int DoModal();

protected:
    // OK and Enter: an empty user is refused, as in every credentials dialog.
    void accept() override;

private:
    DialogFields& fields() override { return fields_; }
    void showMessage(int textRow) override;
    void layOut();

    MessageBoxFn messageBox_;
    QLabel* userLabel_;
    QLineEdit* user_;
    QLabel* passwordLabel_;
    QLineEdit* password_;
    QPushButton* ok_;
    QPushButton* cancel_;
    LineEditFields fields_;
};

}  // namespace lenscout
