#include "qt/net_config_dlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "app/string_table.h"
#include "qt/camera_dialog.h"
#include "qt/ipv4_field.h"
#include "qt/utf8_text.h"
#include "ui/camera_actions.h"
#include "ui_net_config_dlg.h"

namespace lenscout {

CNetConfigDlg::CNetConfigDlg(MessageBoxFn messageBox)
    : ui_(std::make_unique<Ui::CNetConfigDlg>()), messageBox_(std::move(messageBox)) {
    ui_->setupUi(this);
    setUpCameraDialog(this);
    for (QLineEdit* field : {ui_->IDC_IP, ui_->IDC_MASK, ui_->IDC_GATEWAY, ui_->IDC_DNS}) makeIpv4Field(field);
    ui_->IDC_PORT->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), this));
    connect(ui_->IDOK, &QPushButton::clicked, this, &CNetConfigDlg::accept);
    connect(ui_->IDCANCEL, &QPushButton::clicked, this, &CNetConfigDlg::reject);
    connect(ui_->IDC_DHCP, &QCheckBox::clicked, this, [this] { OnDhcpClicked(*this, m_camera); });
    const std::pair<DialogField, QLineEdit*> fields[] = {
        {DialogField::User, ui_->IDC_USER}, {DialogField::Password, ui_->IDC_PASSWORD},
        {DialogField::Port, ui_->IDC_PORT}, {DialogField::Ip, ui_->IDC_IP},
        {DialogField::Mask, ui_->IDC_MASK}, {DialogField::Gateway, ui_->IDC_GATEWAY},
        {DialogField::Dns, ui_->IDC_DNS}};
    for (const auto& [field, edit] : fields) fields_.add(field, edit);
}

CNetConfigDlg::~CNetConfigDlg() = default;

void CNetConfigDlg::OnInitDialog() {
    setWindowTitle(qtText(cameraDialogTitle(m_camera, kTextNetworkConfiguration)));
    setControlTexts(this, networkDialogTexts());
    ui_->IDC_USER->setText(QLatin1String(kDefaultUser));
    ui_->IDC_PASSWORD->clear();
    fillNetworkFields(*this, m_camera);
}

int CNetConfigDlg::DoModal() {
    OnInitDialog();
    return exec();
}

void CNetConfigDlg::showMessage(int textRow) { messageBox_(this, CurrentText(textRow)); }

bool CNetConfigDlg::dhcpChecked() const { return ui_->IDC_DHCP->isChecked(); }

void CNetConfigDlg::enableAddresses(bool enabled) {
    for (QLineEdit* field : {ui_->IDC_IP, ui_->IDC_MASK, ui_->IDC_GATEWAY, ui_->IDC_DNS}) field->setEnabled(enabled);
}

void CNetConfigDlg::accept() {
    if (acceptNetworkSettings(*this, m_camera, m_request)) QDialog::accept();
}

}  // namespace lenscout
