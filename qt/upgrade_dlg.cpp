#include "qt/upgrade_dlg.h"

#include <QEventLoop>
#include <QFileDialog>
#include <QLineEdit>
#include <QProgressBar>

#include <atomic>

#include "app/string_table.h"
#include "qt/camera_dialog.h"
#include "qt/utf8_text.h"
#include "ui/camera_actions.h"
#include "ui/upload_runner.h"
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
    connect(ui_->IDCANCEL, &QPushButton::clicked, this, &CUpgradeDlg::reject);
    fields_.add(DialogField::User, ui_->IDC_USER);
    fields_.add(DialogField::Password, ui_->IDC_PASSWORD);
}

CUpgradeDlg::~CUpgradeDlg() = default;

void CUpgradeDlg::OnInitDialog() {
    closed_ = false;
    setWindowTitle(qtText(cameraDialogTitle(m_camera, kTextUpgradeFirmware)));
    setControlTexts(this, upgradeDialogTexts());
    ui_->IDC_USER->setText(QLatin1String(kDefaultUser));
    ui_->IDC_PASSWORD->clear();
    // The user is offered; the password is what is typed first. Enter is
    // the close button's, never an upload's.
    ui_->IDC_PASSWORD->setFocus();
}

int CUpgradeDlg::DoModal() {
    OnInitDialog();
    return exec();
}

void CUpgradeDlg::showMessage(int textRow) { messageBox_(this, CurrentText(textRow)); }

std::string CUpgradeDlg::pickImage() { return chooseFile_(this).toLocal8Bit().toStdString(); }

namespace {

// The session's observer on the upload's thread: the start and the progress
// go to the dialog's thread in order, the failure is kept for the end.
class QueuedObserver : public UpgradeObserver {
public:
    QueuedObserver(QObject* context, UpgradeObserver& target) : context_(context), target_(target) {}
    void onTransferStart() override {
        QMetaObject::invokeMethod(
            context_, [t = &target_] { t->onTransferStart(); }, Qt::QueuedConnection);
    }
    void onProgress(int percent) override {
        if (percent == last_) return;
        last_ = percent;
        QMetaObject::invokeMethod(
            context_, [t = &target_, percent] { t->onProgress(percent); }, Qt::QueuedConnection);
    }
    void onFailure(UploadFailure failure) override { failure_ = failure; }
    UploadFailure failure() const { return failure_; }

private:
    QObject* context_;
    UpgradeObserver& target_;
    int last_ = -1;
    std::atomic<UploadFailure> failure_{UploadFailure::None};
};

}  // namespace

// The session runs on a thread of its own while this one goes on with its
// events: the windows repaint, the bar moves, and Cancel can be pressed.
// The failure's box comes once the session has ended.
UpgradeResult CUpgradeDlg::runSession(UpgradeKind kind, const ImageFile& image, const CameraInfo& camera,
                                      const Credentials& credentials, UpgradeObserver& observer, UploadCancel& cancel) {
    enableEntries(false);
    QEventLoop events;
    QueuedObserver queued(&events, observer);
    // The quit from the session's thread is queued: it cannot come before
    // the loop runs.
    const BesideResult result = runBesideLoop(
        [&] { events.exec(); }, [&] { QMetaObject::invokeMethod(&events, &QEventLoop::quit, Qt::QueuedConnection); },
        [&] {
            return UpgradeSession::run(kind, image, camera, credentials, queued, {}, &cancel) == UpgradeResult::Success;
        });
    enableEntries(true);
    if (result == BesideResult::NoThread) showMessage(kTextThreadError);
    if (result == BesideResult::Failed) observer.onFailure(queued.failure());
    return result == BesideResult::Succeeded ? UpgradeResult::Success : UpgradeResult::Failure;
}

void CUpgradeDlg::reject() {
    if (!flow_.cancel()) QDialog::reject();
}

// The focus goes to Cancel before the entries go gray, so that Escape, Tab
// and Enter keep working; it comes back where it was.
void CUpgradeDlg::enableEntries(bool enabled) {
    if (!enabled) focusBefore_ = focusWidget(), ui_->IDCANCEL->setFocus();
    for (QWidget* w : {static_cast<QWidget*>(ui_->IDC_UPGRADE_FIRMWARE), static_cast<QWidget*>(ui_->IDC_UPGRADE_WEBUI),
                       static_cast<QWidget*>(ui_->IDC_USER), static_cast<QWidget*>(ui_->IDC_PASSWORD)})
        w->setEnabled(enabled);
    ui_->IDCANCEL->setText(qtText(CurrentText(closeButtonRow(!enabled))));
    if (enabled && focusBefore_) focusBefore_->setFocus();
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
