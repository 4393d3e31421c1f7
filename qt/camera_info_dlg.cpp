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
    for (const CameraField* f : fieldsFor(kInProperties)) makeSelectable(control(f->valueControl));
    // Its one button, labelled OK, is the dialog's cancel.
    connect(ui_->IDCANCEL, &QPushButton::clicked, this, &QDialog::reject);
}

CCameraInfoDlg::~CCameraInfoDlg() = default;

void CCameraInfoDlg::OnInitDialog() {
    setWindowTitle(fromGbk(cameraDialogTitle(m_camera, kTextBasicProperties)));
    ui_->IDCANCEL->setText(unicodeText(kTextOk));
    for (const CameraField* f : fieldsFor(kInProperties)) {
        control(f->labelControl)->setText(unicodeText(f->labelRow));
        control(f->valueControl)->setText(fromGbk(f->text(m_camera, nullptr)));
    }
}

// The template's label that carries the control number.
QLabel* CCameraInfoDlg::control(int id) const {
    for (QLabel* label : findChildren<QLabel*>())
        if (label->property("controlId").toInt() == id) return label;
    return nullptr;
}

int CCameraInfoDlg::DoModal() {
    OnInitDialog();
    return exec();
}

}  // namespace lenscout
