#pragma once
// Upgrade firmware of one camera (dialog 136): the credentials, a file of
// either kind, its check, then the upload with its progress bar.
#include <functional>
#include <string>

#include "discovery/camera_info.h"
#include "upload/upgrade_session.h"
#include "win32/message_box.h"
#include "win32/modal_dialog.h"

namespace lenscout {

// Asks for the image file: its UTF-8 path, empty when the user cancels.
using ChooseFileFn = std::function<std::string(HWND owner)>;
std::string chooseImageFile(HWND owner);

class CUpgradeDlg : public ModalDialog, private UpgradeObserver {
public:
    explicit CUpgradeDlg(MessageBoxFn messageBox = showMessageBox, ChooseFileFn chooseFile = chooseImageFile);
    CameraInfo m_camera{};  // filled by the opener; gets the typed credentials

    void OnUpgradeSystemFirmware() { upgrade(UpgradeKind::SystemFirmware); }
    void OnUpgradeWebUi() { upgrade(UpgradeKind::WebUi); }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}  // the dialog has no OK of its own
    void OnCancel() override;
    bool OnCommand(int id, int notification) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* out) override;

private:
    void upgrade(UpgradeKind kind);
    UpgradeResult runKeepingWindowsAlive(UpgradeKind kind, const ImageFile& image);
    void showCredentials(bool shown);
    void onTransferStart() override;
    void onProgress(int percent) override;
    void onFailure(int textRow) override;

    MessageBoxFn messageBox_;
    ChooseFileFn chooseFile_;
    UpgradeKind kind_ = UpgradeKind::SystemFirmware;
    bool transferStarted_ = false;
    bool uploading_ = false;
    bool finished_ = false;
    bool succeeded_ = false;
    int failureRow_ = 0;
};

}  // namespace lenscout
