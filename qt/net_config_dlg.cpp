#include "qt/net_config_dlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "platform/socket.h"
#include "qt/credential_fields.h"
#include "qt/dialog_units.h"
#include "qt/fonts.h"
#include "qt/gbk_text.h"
#include "qt/ipv4_field.h"
#include "qt/plain_labels.h"
#include "ui/camera_actions.h"
#include "ui/network_settings.h"
#include "ui_net_config_dlg.h"

namespace lenscout {

CNetConfigDlg::CNetConfigDlg(MessageBoxFn messageBox)
    : ui_(std::make_unique<Ui::CNetConfigDlg>()), messageBox_(std::move(messageBox)) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(dialogFont());
    applyDialogUnits(this);
    keepLabelsPlain(this);
    for (QLineEdit* field : {ui_->IDC_IP, ui_->IDC_MASK, ui_->IDC_GATEWAY, ui_->IDC_DNS}) makeIpv4Field(field);
    ui_->IDC_PORT->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), this));
    connect(ui_->IDOK, &QPushButton::clicked, this, &CNetConfigDlg::accept);
    connect(ui_->IDCANCEL, &QPushButton::clicked, this, &CNetConfigDlg::reject);
    connect(ui_->IDC_DHCP, &QCheckBox::clicked, this, &CNetConfigDlg::OnDhcpClicked);
}

CNetConfigDlg::~CNetConfigDlg() = default;

void CNetConfigDlg::OnInitDialog() {
    setWindowTitle(fromGbk(cameraDialogTitle(m_camera, kTextNetworkConfiguration)));
    ui_->IDC_DHCP->setText(unicodeText(kTextObtainFromDhcp));
    ui_->IDC_LABEL_IP->setText(unicodeText(kTextIpAddress));
    ui_->IDC_LABEL_MASK->setText(unicodeText(kTextSubnetMask));
    ui_->IDC_LABEL_GATEWAY->setText(unicodeText(kTextGateway));
    ui_->IDC_LABEL_DNS->setText(unicodeText(kTextDnsServer));
    ui_->IDC_LABEL_PORT->setText(unicodeText(kTextHttpPort));
    ui_->IDC_LABEL_USER->setText(unicodeText(kTextUser));
    ui_->IDC_LABEL_PASSWORD->setText(unicodeText(kTextPassword));
    ui_->IDOK->setText(unicodeText(kTextOk));
    ui_->IDCANCEL->setText(unicodeText(kTextCancel));
    // The camera's own user name is not shown.
    ui_->IDC_USER->setText(QStringLiteral("admin"));
    ui_->IDC_PASSWORD->clear();
    fillAddresses();
    fillPort();
}

int CNetConfigDlg::DoModal() {
    OnInitDialog();
    return exec();
}

void CNetConfigDlg::fillAddresses() {
    setIpv4Field(ui_->IDC_IP, m_camera.ip);
    setIpv4Field(ui_->IDC_MASK, m_camera.mask);
    setIpv4Field(ui_->IDC_GATEWAY, m_camera.gateway);
    setIpv4Field(ui_->IDC_DNS, m_camera.dns);
}

void CNetConfigDlg::fillPort() { ui_->IDC_PORT->setText(QString::number(toHostPort(m_camera.httpPort))); }

void CNetConfigDlg::OnDhcpClicked() {
    const bool dhcp = ui_->IDC_DHCP->isChecked();
    for (QLineEdit* field : {ui_->IDC_IP, ui_->IDC_MASK, ui_->IDC_GATEWAY, ui_->IDC_DNS}) {
        field->setEnabled(!dhcp);
        if (dhcp) setIpv4Field(field, 0);
    }
    if (dhcp) return;
    fillAddresses();
    fillPort();
}

void CNetConfigDlg::accept() {
    const bool dhcp = ui_->IDC_DHCP->isChecked();
    const std::string ip = ipv4FieldText(ui_->IDC_IP), mask = ipv4FieldText(ui_->IDC_MASK),
                      gateway = ipv4FieldText(ui_->IDC_GATEWAY), dns = ipv4FieldText(ui_->IDC_DNS);
    const NetworkSettings s = ValidateNetworkSettings(portFieldValue(ui_->IDC_PORT->text().toStdString()), dhcp,
                                                      ip.c_str(), mask.c_str(), gateway.c_str(), dns.c_str());
    // The fields show the values that count; the addresses are read only
    // once the port has passed.
    ui_->IDC_PORT->setText(QString::number(s.port));
    if (!dhcp && s.errorRow != kTextBadPort) {
        ui_->IDC_IP->setText(QString::fromStdString(ip));
        ui_->IDC_MASK->setText(QString::fromStdString(mask));
        ui_->IDC_GATEWAY->setText(QString::fromStdString(gateway));
        ui_->IDC_DNS->setText(QString::fromStdString(dns));
    }
    if (s.errorRow) {
        messageBox_(this, CurrentText(s.errorRow));
        return;
    }
    if (!takeCredentials(ui_->IDC_USER, ui_->IDC_PASSWORD, m_camera, messageBox_, this)) return;
    m_camera.httpPort = toNetPort(s.port);
    m_camera.ip = s.ip;
    m_camera.mask = s.mask;
    m_camera.gateway = s.gateway;
    m_camera.dns = s.dns;
    QDialog::accept();
}

}  // namespace lenscout
