#include "win32/upload_guard.h"

namespace lenscout {

namespace {

// Uploads run on the windows' one thread, one at a time.
int running = 0;

}  // namespace

UploadGuard::UploadGuard(HWND window, const wchar_t* reason)
    : window_(window),
      reasonSet_(ShutdownBlockReasonCreate(window, reason) != FALSE),
      event_(CreateEventW(nullptr, TRUE, TRUE, kUploadingEvent)) {
    SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED);
    ++running;
}

UploadGuard::~UploadGuard() {
    --running;
    if (event_) CloseHandle(event_);
    SetThreadExecutionState(ES_CONTINUOUS);
    if (reasonSet_) ShutdownBlockReasonDestroy(window_);
}

bool uploadRunning() { return running > 0; }

bool answerQueryEndSession(HWND dialog, bool uploading, INT_PTR* out) {
    if (!uploading) return false;
    // A dialog procedure gives its answer through DWLP_MSGRESULT.
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, FALSE);
    *out = TRUE;
    return true;
}

}  // namespace lenscout
