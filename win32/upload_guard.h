#pragma once
// While an upload runs, Windows is asked not to end the session nor to
// sleep, the program refuses to close, and an installer is told to wait: a
// camera cut off mid-image may be left without firmware. The reason is
// shown by Windows on its shutdown screen.
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
    HANDLE event_;
};

// The name of the event that exists while an upload runs, in this session:
// the installer looks for it, and waits rather than closing the program.
constexpr wchar_t kUploadingEvent[] = L"Local\\Lenscout.Uploading";
// Whether an upload runs in this process now.
bool uploadRunning();

// A dialog's answer to WM_QUERYENDSESSION: FALSE while `uploading`.
// True when it answered.
bool answerQueryEndSession(HWND dialog, bool uploading, INT_PTR* out);

}  // namespace lenscout
