#pragma once
// The upload dialog's rules, for both desktops: the credentials first, then
// the image and its check, then the session with its progress, and the
// dialog closed only when the camera has the image.
#include <string>

#include "app/string_table.h"
#include "discovery/camera_info.h"
#include "discovery/camera_request.h"
#include "ui/dialog_view.h"
#include "upload/image_file.h"
#include "upload/upgrade_session.h"

namespace lenscout {

class UpgradeView : public DialogView {
public:
    // The image the user picks, as ImageFile::open takes it; empty when the
    // user cancels.
    virtual std::string pickImage() = 0;
    // Whether the dialog was closed meanwhile: the program's Exit (from the
    // tray, or the taskbar's "Close window") while the file picker was up.
    virtual bool closed() const = 0;
    // The credentials' fields, or in their place the progress bar.
    virtual void showCredentials(bool shown) = 0;
    // The bar at 0 in place of the credentials, painted now.
    virtual void showTransfer(UpgradeKind kind) = 0;
    virtual void setProgress(int percent) = 0;
    // Runs the session off the dialog's thread, whose loop goes on
    // meanwhile; `observer` is called on the dialog's thread. `cancel`
    // stops it: the dialog's Cancel, Esc or close call UpgradeFlow::cancel.
    virtual UpgradeResult runSession(UpgradeKind kind, const ImageFile& image, const CameraInfo& camera,
                                     const Credentials& credentials, UpgradeObserver& observer,
                                     UploadCancel& cancel) = 0;
    // Closes the dialog as accepted.
    virtual void accept() = 0;
};

// The button under the bar reads Cancel while an upload runs, and OK
// otherwise; Cancel, Escape and the close box call UpgradeFlow::cancel, and
// close the dialog when it finds no upload to stop.
inline int closeButtonRow(bool uploading) { return uploading ? kTextCancel : kTextOk; }

class UpgradeFlow : public UpgradeObserver {
public:
    // `camera` is the dialog's copy; the typed credentials stay here.
    UpgradeFlow(UpgradeView& view, const CameraInfo& camera) : view_(view), camera_(camera) {}
    ~UpgradeFlow() override;
    UpgradeFlow(const UpgradeFlow&) = delete;
    UpgradeFlow& operator=(const UpgradeFlow&) = delete;

    void run(UpgradeKind kind);
    // While an upload runs: stops it, and true; false when none runs.
    bool cancel();

    void onTransferStart() override;
    void onProgress(int percent) override;
    void onFailure(UploadFailure failure) override;

private:
    UpgradeView& view_;
    const CameraInfo& camera_;
    Credentials credentials_{};
    UpgradeKind kind_ = UpgradeKind::SystemFirmware;
    bool transferStarted_ = false;
    int shownPercent_ = -1;
    UploadCancel* cancel_ = nullptr;
};

}  // namespace lenscout
