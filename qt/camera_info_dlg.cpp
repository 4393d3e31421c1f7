#include "qt/camera_info_dlg.h"

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "qt/dialog_units.h"
#include "qt/fonts.h"
#include "qt/gbk_text.h"
#include "qt/plain_labels.h"
#include "ui/camera_actions.h"
#include "ui_camera_info_dlg.h"

namespace lenscout {

CCameraInfoDlg::CCameraInfoDlg() : ui_(std::make_unique<Ui::CCameraInfoDlg>()) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(dialogFont());
    applyDialogUnits(this);
    keepLabelsPlain(this);
    for (QLabel* value : {ui_->IDC_DEVICE_ID, ui_->IDC_FIRMWARE, ui_->IDC_WEBUI}) makeSelectable(value);
    // Its one button, labelled OK, is the dialog's cancel.
    connect(ui_->IDCANCEL, &QPushButton::clicked, this, &QDialog::reject);
}

CCameraInfoDlg::~CCameraInfoDlg() = default;

void CCameraInfoDlg::OnInitDialog() {
    setWindowTitle(fromGbk(cameraDialogTitle(m_camera, kTextBasicProperties)));
    ui_->IDC_LABEL_DEVICE_ID->setText(unicodeText(kTextDeviceId));
    ui_->IDC_LABEL_FIRMWARE->setText(unicodeText(kTextFirmwareVersion));
    ui_->IDC_LABEL_WEBUI->setText(unicodeText(kTextWebUiVersion));
    ui_->IDCANCEL->setText(unicodeText(kTextOk));
    ui_->IDC_DEVICE_ID->setText(fromGbk(fieldText(m_camera.deviceId)));
    ui_->IDC_FIRMWARE->setText(QString::fromStdString(dottedQuad(m_camera.firmwareVersion)));
    ui_->IDC_WEBUI->setText(QString::fromStdString(dottedQuad(m_camera.webUiVersion)));
}

int CCameraInfoDlg::DoModal() {
    OnInitDialog();
    return exec();
}

}  // namespace lenscout
