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
    setWindowGbk(hwnd(), cameraDialogTitle(m_camera, kTextNetworkConfiguration));
    // Each label goes before its field in the template: its key reaches
    // the field.
    setKeyedRows(hwnd(), {{IDC_DHCP, kTextObtainFromDhcp, L'D'},
                          {IDC_LABEL_IP, kTextIpAddress, L'I'},
                          {IDC_LABEL_MASK, kTextSubnetMask, L'M'},
                          {IDC_LABEL_GATEWAY, kTextGateway, L'G'},
                          {IDC_LABEL_DNS, kTextDnsServer, L'N'},
                          {IDC_LABEL_PORT, kTextHttpPort, L'H'},
                          {IDC_LABEL_USER, kTextUser, L'U'},
                          {IDC_LABEL_PASSWORD, kTextPassword, L'P'},
                          {IDOK, kTextOk, 0},
                          {IDCANCEL, kTextCancel, 0}});
    // The camera's own user name is not shown.
    SetDlgItemTextW(hwnd(), IDC_USER, L"admin");
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
    if (acceptNetworkSettings(*this, m_camera)) end(IDOK);
}

}  // namespace lenscout
