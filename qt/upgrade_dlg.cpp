#include "qt/upgrade_dlg.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QProgressBar>

#include "app/string_table.h"
#include "qt/camera_dialog.h"
#include "qt/gbk_text.h"
#include "ui/camera_actions.h"
#include "ui_upgrade_dlg.h"

namespace lenscout {

QString chooseImageFile(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(), QStringLiteral("Bin Files (*.bin)"));
}

CUpgradeDlg::CUpgradeDlg(MessageBoxFn messageBox, ChooseFileFn chooseFile)
    : ui_(std::make_unique<Ui::CUpgradeDlg>()), messageBox_(std::move(messageBox)), chooseFile_(std::move(chooseFile)) {
    ui_->setupUi(this);
    setUpCameraDialog(this);
    ui_->IDC_PROGRESS->setRange(0, 100);
    ui_->IDC_PROGRESS->hide();
    connect(ui_->IDC_UPGRADE_FIRMWARE, &QPushButton::clicked, this, [this] { OnUpgradeSystemFirmware(); });
    connect(ui_->IDC_UPGRADE_WEBUI, &QPushButton::clicked, this, [this] { OnUpgradeWebUi(); });
    connect(ui_->IDCANCEL, &QPushButton::clicked, this, &QDialog::reject);
    fields_.add(DialogField::User, ui_->IDC_USER);
    fields_.add(DialogField::Password, ui_->IDC_PASSWORD);
}

CUpgradeDlg::~CUpgradeDlg() = default;

void CUpgradeDlg::OnInitDialog() {
    setWindowTitle(fromGbk(cameraDialogTitle(m_camera, kTextUpgradeFirmware)));
    setRowTexts({{ui_->IDC_LABEL_USER, kTextUser},
                 {ui_->IDC_LABEL_PASSWORD, kTextPassword},
                 {ui_->IDC_UPGRADE_FIRMWARE, kTextUpgradeSystemFirmware},
                 {ui_->IDC_UPGRADE_WEBUI, kTextUpgradeWebUi},
                 {ui_->IDCANCEL, kTextOk}});
    ui_->IDC_USER->setText(QStringLiteral("admin"));
    ui_->IDC_PASSWORD->clear();
    ui_->IDC_UPGRADE_FIRMWARE->setFocus();
}

int CUpgradeDlg::DoModal() {
    OnInitDialog();
    return exec();
}

void CUpgradeDlg::showMessage(int textRow) { messageBox_(this, CurrentText(textRow)); }

std::string CUpgradeDlg::pickImage() { return chooseFile_(this).toLocal8Bit().toStdString(); }

// The session holds this thread: what must show now is painted at once.
UpgradeResult CUpgradeDlg::runSession(UpgradeKind kind, const ImageFile& image, const CameraInfo& camera,
                                      UpgradeObserver& observer) {
    return UpgradeSession::run(kind, image, camera, observer);
}

void CUpgradeDlg::showCredentials(bool shown) {
    for (QWidget* w : {static_cast<QWidget*>(ui_->IDC_LABEL_USER), static_cast<QWidget*>(ui_->IDC_USER),
                       static_cast<QWidget*>(ui_->IDC_LABEL_PASSWORD), static_cast<QWidget*>(ui_->IDC_PASSWORD)})
        w->setVisible(shown);
    ui_->IDC_PROGRESS->setVisible(!shown);
}

void CUpgradeDlg::showTransfer(UpgradeKind kind) {
    showCredentials(false);
    ui_->IDC_PROGRESS->setValue(0);
    if (kind == UpgradeKind::WebUi) repaint();
}

void CUpgradeDlg::setProgress(int percent) {
    ui_->IDC_PROGRESS->setValue(percent);
    ui_->IDC_PROGRESS->repaint();
}

}  // namespace lenscout
