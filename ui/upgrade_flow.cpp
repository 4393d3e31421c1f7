#include "ui/upgrade_flow.h"

#include "platform/secrets.h"
#include "ui/failure_texts.h"

namespace lenscout {

UpgradeFlow::~UpgradeFlow() { wipe(&credentials_, sizeof credentials_); }

// The user first: without one, no file is asked for.
void UpgradeFlow::run(UpgradeKind kind) {
    if (!takeCredentials(view_, credentials_)) return;
    const std::string path = view_.pickImage();
    // A program on its way out starts nothing, whatever was picked.
    if (path.empty() || view_.closed()) return;
    ImageFile image;
    if (const UploadFailure failure = image.open(path, kind); failure != UploadFailure::None) {
        view_.showMessage(textRow(failure));
        return;
    }
    kind_ = kind;
    transferStarted_ = false;
    UploadCancel cancel;
    cancel_ = &cancel;
    const UpgradeResult result = view_.runSession(kind, image, camera_, credentials_, *this, cancel);
    cancel_ = nullptr;
    if (result != UpgradeResult::Success) return;
    view_.showCredentials(true);
    image.close();
    view_.accept();
}

bool UpgradeFlow::cancel() {
    if (!cancel_) return false;
    cancel_->cancel();
    return true;
}

void UpgradeFlow::onTransferStart() {
    transferStarted_ = true;
    shownPercent_ = 0;
    view_.showTransfer(kind_);
}

void UpgradeFlow::onProgress(int percent) {
    if (percent == shownPercent_) return;
    shownPercent_ = percent;
    view_.setProgress(percent);
}

void UpgradeFlow::onFailure(UploadFailure failure) {
    view_.showMessage(textRow(failure));
    if (transferStarted_) view_.showCredentials(true);
}

}  // namespace lenscout
