#pragma once
// The dialog that asks for a camera's user and password alone, for any
// command that needs nothing else; built at run time from its layout
// (ui/properties_layout.h).
#include <QDialog>

#include "qt/line_edit_fields.h"
#include "qt/message_box.h"
#include "ui/credentials_view.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace lenscout {

class CCredentialsDlg : public QDialog, public CredentialsView {
public:
    explicit CCredentialsDlg(MessageBoxFn messageBox = showMessageBox);
    void OnInitDialog();
    int DoModal() { return OnInitDialog(), exec(); }

protected:
    void accept() override {
        if (takeTyped()) QDialog::accept();
    }

private:
    DialogFields& fields() override { return fields_; }
    void showMessage(int textRow) override;

    MessageBoxFn messageBox_;
    QLabel *userLabel_, *passwordLabel_;
    QLineEdit *user_, *password_;
    QPushButton *ok_, *cancel_;
    LineEditFields fields_;
};

}  // namespace lenscout
