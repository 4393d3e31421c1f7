#pragma once
// One Lenscout per user, found by what only it has: a named mutex that
// says one runs, and the main window's own registered class that says
// which window is its. A title says nothing: any window (Explorer showing
// the install folder) may be called "Lenscout".
#include <windows.h>

namespace lenscout {

constexpr wchar_t kMainWindowClass[] = L"LenscoutMainWindow";

// Registers the main window's class (the dialog's own, under our name),
// which its template names. Needed before the window is made; once is
// enough, and a second call does nothing.
bool registerMainWindowClass();

// This user's claim to run Lenscout, held until the program ends. The first
// start holds it; a later one, however soon after, does not.
class InstanceClaim {
public:
    InstanceClaim();
    ~InstanceClaim();
    InstanceClaim(const InstanceClaim&) = delete;
    InstanceClaim& operator=(const InstanceClaim&) = delete;
    bool first() const { return !running_; }
    // The one running was started as administrator: its claim, made with
    // an elevated token's rights, is one this start may not even open, and
    // its window does not take this start's messages.
    bool runningElevated() const { return elevated_; }

private:
    HANDLE mutex_ = nullptr;
    bool running_ = false;
    bool elevated_ = false;
};

// Shows the running instance's main window and gives the focus to what the
// user last had open in it (a dialog, a message). A start that comes while
// the first is still making its window waits for it up to `waitMs`.
void showRunningInstance(DWORD waitMs = 5000);

}  // namespace lenscout
