#pragma once
// Upgrade firmware of one camera (dialog 136): the credentials, a file of
// either kind, its check, then the upload with its progress bar.
#include <functional>
#include <string>

#include "discovery/camera_info.h"
#include "ui/upgrade_flow.h"
#include "ui/upload_runner.h"
#include "win32/control_fields.h"
#include "win32/message_box.h"
#include "win32/modal_dialog.h"

namespace lenscout {

// Asks for the image file: its UTF-8 path, empty when the user cancels.
using ChooseFileFn = std::function<std::string(HWND owner)>;
std::string chooseImageFile(HWND owner);

class CUpgradeDlg : public ModalDialog, private UpgradeView {
public:
    explicit CUpgradeDlg(MessageBoxFn messageBox = showMessageBox, ChooseFileFn chooseFile = chooseImageFile);
    CameraInfo m_camera{};  // filled by the opener

    void OnUpgradeSystemFirmware() { flow_.run(UpgradeKind::SystemFirmware); }
    void OnUpgradeWebUi() { flow_.run(UpgradeKind::WebUi); }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}  // the dialog has no OK of its own
    void OnCancel() override;
    bool OnCommand(int id, int notification) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* out) override;

private:
    DialogFields& fields() override { return fields_; }
    void showMessage(int textRow) override;
    std::string pickImage() override { return chooseFile_(hwnd()); }
    bool closed() const override { return ended(); }
    void showCredentials(bool shown) override;
    void showTransfer(UpgradeKind kind) override;
    void setProgress(int percent) override;
    UpgradeResult runSession(UpgradeKind kind, const ImageFile& image, const CameraInfo& camera,
                             const Credentials& credentials, UpgradeObserver& observer, UploadCancel& cancel) override;
    void enableEntries(bool enabled);
    void accept() override { end(IDOK); }
    // The thread's messages until the session has ended; false when a
    // WM_QUIT came meanwhile, with its code in *quitCode.
    bool dispatchUntilFinished(WPARAM* quitCode);

    MessageBoxFn messageBox_;
    ChooseFileFn chooseFile_;
    ControlFields fields_;
    UpgradeFlow flow_{*this, m_camera};
    UpgradeObserver* observer_ = nullptr;  // the flow, while a session runs
    bool finished_ = false;
    HWND focusBefore_ = nullptr;  // where the focus was when an upload began
    UploadFailure failure_ = UploadFailure::None;
};

}  // namespace lenscout
