#pragma once
// Upgrade firmware of one camera (dialog 136): the credentials, a file of
// either kind, its check, then the upload with its progress bar.
#include <QDialog>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "discovery/camera_info.h"
#include "qt/line_edit_fields.h"
#include "qt/message_box.h"
#include "ui/upgrade_flow.h"

namespace Ui {
class CUpgradeDlg;
}

namespace lenscout {

// Asks for the image file; an empty path when the user cancels.
using ChooseFileFn = std::function<QString(QWidget* parent)>;
QString chooseImageFile(QWidget* parent);

class CUpgradeDlg : public QDialog, private UpgradeView {
public:
    explicit CUpgradeDlg(MessageBoxFn messageBox = showMessageBox, ChooseFileFn chooseFile = chooseImageFile);
    ~CUpgradeDlg() override;

    CameraInfo m_camera{};  // filled by the opener

    void OnInitDialog();
    // Accepted after a successful upload, Rejected when closed.
    int DoModal();
    void OnUpgradeSystemFirmware() { flow_.run(UpgradeKind::SystemFirmware); }
    void OnUpgradeWebUi() { flow_.run(UpgradeKind::WebUi); }

private:
    DialogFields& fields() override { return fields_; }
    void showMessage(int textRow) override;
    std::string pickImage() override;
    bool closed() const override { return closed_; }
    void showCredentials(bool shown) override;
    void showTransfer(UpgradeKind kind) override;
    void setProgress(int percent) override;
    UpgradeResult runSession(UpgradeKind kind, const ImageFile& image, const CameraInfo& camera,
                             const Credentials& credentials, UpgradeObserver& observer, UploadCancel& cancel) override;
    void accept() override { QDialog::accept(); }
    // Cancel, Esc and the close box stop a running upload, and close the
    // dialog otherwise.
    void reject() override;
    void done(int result) override {
        closed_ = true;
        QDialog::done(result);
    }
    void enableEntries(bool enabled);

    std::unique_ptr<Ui::CUpgradeDlg> ui_;
    MessageBoxFn messageBox_;
    ChooseFileFn chooseFile_;
    LineEditFields fields_;
    UpgradeFlow flow_{*this, m_camera};
    bool closed_ = false;
    QPointer<QWidget> focusBefore_;  // where the focus was when an upload began
};

}  // namespace lenscout
