#include "win32/net_config_dlg.h"

#include <string>

#include "app/string_table.h"
#include "ui/camera_actions.h"
#include "win32/resource.h"
#include "win32/wide_text.h"

namespace lenscout {

CNetConfigDlg::CNetConfigDlg(MessageBoxFn messageBox)
    : ModalDialog(IDD_NET_CONFIG), messageBox_(std::move(messageBox)) {}

BOOL CNetConfigDlg::OnInitDialog() {
    setWindowUtf8(hwnd(), cameraDialogTitle(m_camera, kTextNetworkConfiguration));
    // Each label goes before its field in the template: its key reaches
    // the field.
    setControlTexts(hwnd(), networkDialogTexts());
    setItemUtf8(hwnd(), IDC_USER, kDefaultUser);
    SetDlgItemTextW(hwnd(), IDC_PASSWORD, L"");
    const std::pair<DialogField, int> fields[] = {{DialogField::User, IDC_USER}, {DialogField::Password, IDC_PASSWORD},
                                                  {DialogField::Port, IDC_PORT}, {DialogField::Ip, IDC_IP},
                                                  {DialogField::Mask, IDC_MASK}, {DialogField::Gateway, IDC_GATEWAY},
                                                  {DialogField::Dns, IDC_DNS}};
    for (const auto& [field, control] : fields) fields_.add(field, item(control));
    fillNetworkFields(*this, m_camera);
    return TRUE;
}

void CNetConfigDlg::showMessage(int textRow) { messageBox_(hwnd(), CurrentText(textRow)); }

bool CNetConfigDlg::dhcpChecked() const { return IsDlgButtonChecked(hwnd(), IDC_DHCP) == BST_CHECKED; }

void CNetConfigDlg::enableAddresses(bool enabled) {
    for (int field : {IDC_IP, IDC_MASK, IDC_GATEWAY, IDC_DNS}) EnableWindow(item(field), enabled);
}

bool CNetConfigDlg::OnCommand(int id, int notification) {
    if (id != IDC_DHCP || notification != BN_CLICKED) return false;
    OnDhcpClicked(*this, m_camera);
    return true;
}

void CNetConfigDlg::OnOK() {
    if (acceptNetworkSettings(*this, m_camera, m_request)) end(IDOK);
}

}  // namespace lenscout
