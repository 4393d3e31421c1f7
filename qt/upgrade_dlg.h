#pragma once
// Upgrade firmware of one camera (dialog 136): the credentials, a file of
// either kind, its check, then the upload with its progress bar.
#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

#include "discovery/camera_info.h"
#include "qt/message_box.h"
#include "upload/upgrade_session.h"

namespace Ui {
class CUpgradeDlg;
}

namespace lenscout {

// Asks for the image file; an empty path when the user cancels.
using ChooseFileFn = std::function<QString(QWidget* parent)>;
QString chooseImageFile(QWidget* parent);

class CUpgradeDlg : public QDialog, private UpgradeObserver {
public:
    explicit CUpgradeDlg(MessageBoxFn messageBox = showMessageBox, ChooseFileFn chooseFile = chooseImageFile);
    ~CUpgradeDlg() override;

    CameraInfo m_camera{};  // filled by the opener; gets the typed credentials

    void OnInitDialog();
    // Accepted after a successful upload, Rejected when closed.
    int DoModal();
    void OnUpgradeSystemFirmware() { upgrade(UpgradeKind::SystemFirmware); }
    void OnUpgradeWebUi() { upgrade(UpgradeKind::WebUi); }

private:
    void upgrade(UpgradeKind kind);
    void showCredentials(bool shown);
    void onTransferStart() override;
    void onProgress(int percent) override;
    void onFailure(int textRow) override;

    std::unique_ptr<Ui::CUpgradeDlg> ui_;
    MessageBoxFn messageBox_;
    ChooseFileFn chooseFile_;
    UpgradeKind kind_ = UpgradeKind::SystemFirmware;
    bool transferStarted_ = false;
};

}  // namespace lenscout
