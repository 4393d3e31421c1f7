#include "qt/camera_info_dlg.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "app/string_table.h"
#include "qt/camera_dialog.h"
#include "qt/dialog_units.h"
#include "qt/plain_labels.h"
#include "qt/utf8_text.h"
#include "ui/camera_actions.h"
#include "ui/properties_layout.h"

namespace lenscout {

CCameraInfoDlg::CCameraInfoDlg() : button_(new QPushButton(this)) {
    for (const CameraField* f : fieldsFor(kInProperties)) {
        auto* label = new QLabel(this);
        auto* value = new QLabel(this);
        label->setObjectName(QStringLiteral("label_") + QLatin1String(f->key));
        value->setObjectName(QLatin1String(f->key));
        value->setFrameShape(QFrame::Box);
        // The value is the label's buddy: a screen reader names it by the label.
        label->setBuddy(value);
        makeSelectable(value);
        rows_.push_back({f, label, value});
    }
    // Its one button, labelled OK, is the dialog's cancel.
    button_->setObjectName(QStringLiteral("IDCANCEL"));
    button_->setDefault(true);
    connect(button_, &QPushButton::clicked, this, &QDialog::reject);
    setUpCameraDialog(this);
}

void CCameraInfoDlg::OnInitDialog() {
    setWindowTitle(qtText(cameraDialogTitle(m_camera, kTextBasicProperties)));
    button_->setText(qtText(CurrentText(kTextOk)));
    for (const Row& r : rows_) {
        r.label->setText(qtText(CurrentText(r.field->labelRow)));
        r.value->setText(qtText(r.field->text(m_camera, nullptr)));
    }
    layOut();
}

void CCameraInfoDlg::layOut() {
    int widest = 0;
    for (const Row& r : rows_) widest = std::max(widest, dialogUnitsAcross(this, r.label->text()));
    const PropertiesLayout layout = propertiesLayout(widest);
    setDialogUnits(this, layout.frame);
    for (size_t i = 0; i < rows_.size() && i < layout.rows.size(); ++i) {
        setDialogUnits(rows_[i].label, layout.rows[i].label);
        setDialogUnits(rows_[i].value, layout.rows[i].value);
    }
    setDialogUnits(button_, layout.button);
    applyDialogUnits(this);
}

int CCameraInfoDlg::DoModal() {
    OnInitDialog();
    return exec();
}

}  // namespace lenscout
