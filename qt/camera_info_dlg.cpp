#include "qt/camera_info_dlg.h"

#include "app/string_table.h"
#include "qt/camera_dialog.h"
#include "qt/gbk_text.h"
#include "qt/plain_labels.h"
#include "ui/camera_actions.h"
#include "ui/camera_fields.h"
#include "ui_camera_info_dlg.h"

namespace lenscout {

CCameraInfoDlg::CCameraInfoDlg() : ui_(std::make_unique<Ui::CCameraInfoDlg>()) {
    ui_->setupUi(this);
    setUpCameraDialog(this);
    for (QLabel* value : {ui_->IDC_DEVICE_ID, ui_->IDC_FIRMWARE, ui_->IDC_WEBUI}) makeSelectable(value);
    // Its one button, labelled OK, is the dialog's cancel.
    connect(ui_->IDCANCEL, &QPushButton::clicked, this, &QDialog::reject);
}

CCameraInfoDlg::~CCameraInfoDlg() = default;

void CCameraInfoDlg::OnInitDialog() {
    setWindowTitle(fromGbk(cameraDialogTitle(m_camera, kTextBasicProperties)));
    ui_->IDCANCEL->setText(unicodeText(kTextOk));
    // The template's label and value of each field the dialog shows, in
    // the order of the field table.
    const std::pair<QLabel*, QLabel*> controls[] = {{ui_->IDC_LABEL_DEVICE_ID, ui_->IDC_DEVICE_ID},
                                                    {ui_->IDC_LABEL_FIRMWARE, ui_->IDC_FIRMWARE},
                                                    {ui_->IDC_LABEL_WEBUI, ui_->IDC_WEBUI}};
    const std::vector<const CameraField*> fields = fieldsFor(kInProperties);
    for (size_t i = 0; i < fields.size() && i < std::size(controls); ++i) {
        controls[i].first->setText(unicodeText(fields[i]->labelRow));
        controls[i].second->setText(fromGbk(fields[i]->text(m_camera, nullptr)));
    }
}

int CCameraInfoDlg::DoModal() {
    OnInitDialog();
    return exec();
}

}  // namespace lenscout
