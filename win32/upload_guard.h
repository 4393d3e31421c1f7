#pragma once
// While an upload runs, Windows is asked not to end the session nor to
// sleep: a camera cut off mid-image may be left without firmware. The
// reason is shown by Windows on its shutdown screen.
#include <windows.h>

namespace lenscout {

class UploadGuard {
public:
    // `window` answers WM_QUERYENDSESSION (see blocksEndSession).
    UploadGuard(HWND window, const wchar_t* reason);
    ~UploadGuard();
    UploadGuard(const UploadGuard&) = delete;
    UploadGuard& operator=(const UploadGuard&) = delete;

private:
    HWND window_;
    bool reasonSet_;
};

// A dialog's answer to WM_QUERYENDSESSION: FALSE while `uploading`.
// True when it answered.
bool answerQueryEndSession(HWND dialog, bool uploading, INT_PTR* out);

}  // namespace lenscout
