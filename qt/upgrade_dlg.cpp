#include "qt/upgrade_dlg.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QProgressBar>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "qt/credential_fields.h"
#include "qt/dialog_units.h"
#include "qt/fonts.h"
#include "qt/gbk_text.h"
#include "qt/plain_labels.h"
#include "ui/camera_actions.h"
#include "ui_upgrade_dlg.h"
#include "upload/image_file.h"

namespace lenscout {

QString chooseImageFile(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(), QStringLiteral("Bin Files (*.bin)"));
}

CUpgradeDlg::CUpgradeDlg(MessageBoxFn messageBox, ChooseFileFn chooseFile)
    : ui_(std::make_unique<Ui::CUpgradeDlg>()), messageBox_(std::move(messageBox)), chooseFile_(std::move(chooseFile)) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(dialogFont());
    applyDialogUnits(this);
    keepLabelsPlain(this);
    ui_->IDC_PROGRESS->setRange(0, 100);
    ui_->IDC_PROGRESS->hide();
    connect(ui_->IDC_UPGRADE_FIRMWARE, &QPushButton::clicked, this, [this] { OnUpgradeSystemFirmware(); });
    connect(ui_->IDC_UPGRADE_WEBUI, &QPushButton::clicked, this, [this] { OnUpgradeWebUi(); });
    connect(ui_->IDCANCEL, &QPushButton::clicked, this, &QDialog::reject);
}

CUpgradeDlg::~CUpgradeDlg() = default;

void CUpgradeDlg::OnInitDialog() {
    setWindowTitle(fromGbk(cameraDialogTitle(m_camera, kTextUpgradeFirmware)));
    ui_->IDC_LABEL_USER->setText(unicodeText(kTextUser));
    ui_->IDC_LABEL_PASSWORD->setText(unicodeText(kTextPassword));
    ui_->IDC_UPGRADE_FIRMWARE->setText(unicodeText(kTextUpgradeSystemFirmware));
    ui_->IDC_UPGRADE_WEBUI->setText(unicodeText(kTextUpgradeWebUi));
    ui_->IDCANCEL->setText(unicodeText(kTextOk));
    ui_->IDC_USER->setText(QStringLiteral("admin"));
    ui_->IDC_PASSWORD->clear();
    ui_->IDC_UPGRADE_FIRMWARE->setFocus();
}

int CUpgradeDlg::DoModal() {
    OnInitDialog();
    return exec();
}

// The user first: without one, no file is asked for.
void CUpgradeDlg::upgrade(UpgradeKind kind) {
    if (!takeCredentials(ui_->IDC_USER, ui_->IDC_PASSWORD, m_camera, messageBox_, this)) return;
    const QString path = chooseFile_(this);
    if (path.isEmpty()) return;
    ImageFile image;
    if (const int row = image.open(path.toLocal8Bit().toStdString())) {
        messageBox_(this, CurrentText(row));
        return;
    }
    if (!checkImage(image, kind)) {
        messageBox_(this, CurrentText(badImageRow(kind)));
        return;
    }
    kind_ = kind;
    transferStarted_ = false;
    if (UpgradeSession::run(kind, image, m_camera, *this) != UpgradeResult::Success) return;
    showCredentials(true);
    image.close();
    accept();
}

void CUpgradeDlg::showCredentials(bool shown) {
    for (QWidget* w : {static_cast<QWidget*>(ui_->IDC_LABEL_USER), static_cast<QWidget*>(ui_->IDC_USER),
                       static_cast<QWidget*>(ui_->IDC_LABEL_PASSWORD), static_cast<QWidget*>(ui_->IDC_PASSWORD)})
        w->setVisible(shown);
    ui_->IDC_PROGRESS->setVisible(!shown);
}

// The session holds this thread: what must show now is painted at once.
void CUpgradeDlg::onTransferStart() {
    transferStarted_ = true;
    showCredentials(false);
    ui_->IDC_PROGRESS->setValue(0);
    if (kind_ == UpgradeKind::WebUi) repaint();
}

void CUpgradeDlg::onProgress(int percent) {
    if (ui_->IDC_PROGRESS->value() == percent) return;
    ui_->IDC_PROGRESS->setValue(percent);
    ui_->IDC_PROGRESS->repaint();
}

void CUpgradeDlg::onFailure(int textRow) {
    messageBox_(this, CurrentText(textRow));
    if (transferStarted_) showCredentials(true);
}

}  // namespace lenscout
