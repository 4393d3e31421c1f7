#include "win32/net_config_dlg.h"

#include <string>

#include "app/string_table.h"
#include "platform/socket.h"
#include "ui/camera_actions.h"
#include "ui/network_settings.h"
#include "win32/dialog_fields.h"
#include "win32/resource.h"
#include "win32/wide_text.h"

namespace lenscout {

namespace {
constexpr int kAddressFields[] = {IDC_IP, IDC_MASK, IDC_GATEWAY, IDC_DNS};
}

CNetConfigDlg::CNetConfigDlg(MessageBoxFn messageBox)
    : ModalDialog(IDD_NET_CONFIG), messageBox_(std::move(messageBox)) {}

BOOL CNetConfigDlg::OnInitDialog() {
    setWindowGbk(hwnd(), cameraDialogTitle(m_camera, kTextNetworkConfiguration));
    const std::pair<int, int> texts[] = {{IDC_DHCP, kTextObtainFromDhcp},
                                         {IDC_LABEL_IP, kTextIpAddress},
                                         {IDC_LABEL_MASK, kTextSubnetMask},
                                         {IDC_LABEL_GATEWAY, kTextGateway},
                                         {IDC_LABEL_DNS, kTextDnsServer},
                                         {IDC_LABEL_PORT, kTextHttpPort},
                                         {IDC_LABEL_USER, kTextUser},
                                         {IDC_LABEL_PASSWORD, kTextPassword},
                                         {IDOK, kTextOk},
                                         {IDCANCEL, kTextCancel}};
    for (const auto& [control, row] : texts) setItemRow(hwnd(), control, row);
    // The camera's own user name is not shown.
    SetDlgItemTextW(hwnd(), IDC_USER, L"admin");
    SetDlgItemTextW(hwnd(), IDC_PASSWORD, L"");
    fillAddresses();
    fillPort();
    return TRUE;
}

void CNetConfigDlg::fillAddresses() {
    setAddressField(item(IDC_IP), m_camera.ip);
    setAddressField(item(IDC_MASK), m_camera.mask);
    setAddressField(item(IDC_GATEWAY), m_camera.gateway);
    setAddressField(item(IDC_DNS), m_camera.dns);
}

void CNetConfigDlg::fillPort() { SetDlgItemInt(hwnd(), IDC_PORT, toHostPort(m_camera.httpPort), FALSE); }

bool CNetConfigDlg::dhcpChecked() const { return IsDlgButtonChecked(hwnd(), IDC_DHCP) == BST_CHECKED; }

bool CNetConfigDlg::OnCommand(int id, int notification) {
    if (id != IDC_DHCP || notification != BN_CLICKED) return false;
    OnDhcpClicked();
    return true;
}

// In DHCP mode the four addresses show 0 and take no input; back in fixed
// mode they, and the port, are the camera's again.
void CNetConfigDlg::OnDhcpClicked() {
    const bool dhcp = dhcpChecked();
    for (int field : kAddressFields) {
        EnableWindow(item(field), !dhcp);
        if (dhcp) setAddressField(item(field), 0);
    }
    if (dhcp) return;
    fillAddresses();
    fillPort();
}

void CNetConfigDlg::OnOK() {
    const bool dhcp = dhcpChecked();
    const std::string ip = addressFieldText(item(IDC_IP)), mask = addressFieldText(item(IDC_MASK)),
                      gateway = addressFieldText(item(IDC_GATEWAY)), dns = addressFieldText(item(IDC_DNS));
    const int32_t port = portFieldValue(gbkFromWide(windowText(item(IDC_PORT))));
    const NetworkSettings s =
        ValidateNetworkSettings(port, dhcp, ip.c_str(), mask.c_str(), gateway.c_str(), dns.c_str());
    // The port field shows the value that counts.
    SetDlgItemInt(hwnd(), IDC_PORT, s.port, FALSE);
    if (s.errorRow) {
        messageBox_(hwnd(), CurrentText(s.errorRow));
        return;
    }
    if (!takeCredentials(item(IDC_USER), item(IDC_PASSWORD), m_camera, messageBox_, hwnd())) return;
    m_camera.httpPort = toNetPort(s.port);
    m_camera.ip = s.ip;
    m_camera.mask = s.mask;
    m_camera.gateway = s.gateway;
    m_camera.dns = s.dns;
    end(IDOK);
}

}  // namespace lenscout
