#include "win32/credentials_dlg.h"

#include <vector>

#include "app/string_table.h"
#include "ui/properties_layout.h"
#include "win32/dialog_template.h"
#include "win32/resource.h"
#include "win32/wide_text.h"

namespace lenscout {

namespace {

// The controls have the other credentials dialogs' numbers, so that their
// texts come from the same table. Each label comes before its field: its
// key reaches the field, and a screen reader names the field by it.
std::vector<WORD> credentialsTemplate() {
    const CredentialsLayout l = credentialsLayout();
    DialogTemplate t(l.frame);
    t.add(ControlClass::Static, IDC_LABEL_USER, SS_LEFT, l.userLabel);
    t.add(ControlClass::Edit, IDC_USER, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, l.user);
    t.add(ControlClass::Static, IDC_LABEL_PASSWORD, SS_LEFT, l.passwordLabel);
    t.add(ControlClass::Edit, IDC_PASSWORD, ES_AUTOHSCROLL | ES_PASSWORD | WS_BORDER | WS_TABSTOP, l.password);
    t.add(ControlClass::Button, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, l.ok);
    t.add(ControlClass::Button, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, l.cancel);
    return t.words();
}

}  // namespace

CCredentialsDlg::CCredentialsDlg(MessageBoxFn messageBox)
    : ModalDialog(credentialsTemplate()), messageBox_(std::move(messageBox)) {}

BOOL CCredentialsDlg::OnInitDialog() {
    setWindowUtf8(hwnd(), title());
    setControlTexts(hwnd(), credentialsDialogTexts());
    setItemUtf8(hwnd(), IDC_USER, kDefaultUser);
    SetDlgItemTextW(hwnd(), IDC_PASSWORD, L"");
    fields_.add(DialogField::User, item(IDC_USER));
    fields_.add(DialogField::Password, item(IDC_PASSWORD));
    // The label column as wide as its longer text.
    const CredentialsLayout l = credentialsLayout(widestText(hwnd(), {IDC_LABEL_USER, IDC_LABEL_PASSWORD}));
    const std::pair<int, DialogRect> places[] = {
        {IDC_LABEL_USER, l.userLabel}, {IDC_USER, l.user}, {IDC_LABEL_PASSWORD, l.passwordLabel},
        {IDC_PASSWORD, l.password},    {IDOK, l.ok},       {IDCANCEL, l.cancel}};
    for (const auto& [id, rect] : places) placeControl(hwnd(), id, rect);
    sizeClient(hwnd(), l.frame);
    // The user is offered; the password is what is typed first.
    SetFocus(item(IDC_PASSWORD));
    return FALSE;
}

}  // namespace lenscout
