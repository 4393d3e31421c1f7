#include "win32/upload_guard.h"

namespace lenscout {

UploadGuard::UploadGuard(HWND window, const wchar_t* reason)
    : window_(window), reasonSet_(ShutdownBlockReasonCreate(window, reason) != FALSE) {
    SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED);
}

UploadGuard::~UploadGuard() {
    SetThreadExecutionState(ES_CONTINUOUS);
    if (reasonSet_) ShutdownBlockReasonDestroy(window_);
}

bool answerQueryEndSession(HWND dialog, bool uploading, INT_PTR* out) {
    if (!uploading) return false;
    // A dialog procedure gives its answer through DWLP_MSGRESULT.
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, FALSE);
    *out = TRUE;
    return true;
}

}  // namespace lenscout
