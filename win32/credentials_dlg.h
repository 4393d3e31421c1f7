#pragma once
// The dialog that asks for a camera's user and password alone, for any
// command that needs nothing else; its template is made at run time from
// its layout (ui/properties_layout.h).
#include "app/string_table.h"
#include "ui/credentials_view.h"
#include "win32/control_fields.h"
#include "win32/message_box.h"
#include "win32/modal_dialog.h"

namespace lenscout {

class CCredentialsDlg : public ModalDialog, public CredentialsView {
public:
    explicit CCredentialsDlg(MessageBoxFn messageBox = showMessageBox);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {
        if (takeTyped()) end(IDOK);
    }

private:
    DialogFields& fields() override { return fields_; }
    void showMessage(int textRow) override { messageBox_(hwnd(), CurrentText(textRow)); }

    MessageBoxFn messageBox_;
    ControlFields fields_;
};

}  // namespace lenscout
