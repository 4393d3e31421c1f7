#include "win32/single_instance.h"

#include <sddl.h>

#include <string>
#include <vector>

#include "platform/file_owner_win32.h"
#include "win32/modal_dialog.h"

namespace lenscout {

namespace {

// The user's SID as text, so that each user of the machine has a claim of
// their own; "" when the token cannot be read.
std::wstring userSid() {
    std::vector<BYTE> user = thisUserSid();
    LPWSTR sid = nullptr;
    if (user.empty() || !ConvertSidToStringSidW(user.data(), &sid)) return L"";
    std::wstring text = sid;
    LocalFree(sid);
    return text;
}

}  // namespace

bool registerMainWindowClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(programInstance(), kMainWindowClass, &wc)) return true;
    if (!GetClassInfoExW(nullptr, MAKEINTRESOURCEW(0x8002), &wc)) return false;  // the dialog class, #32770
    wc.hInstance = programInstance();
    wc.lpszClassName = kMainWindowClass;
    return RegisterClassExW(&wc) != 0;
}

InstanceClaim::InstanceClaim() {
    // Local\: this session's; the SID: this user's.
    const std::wstring name = L"Local\\Lenscout.Running." + userSid();
    mutex_ = CreateMutexW(nullptr, FALSE, name.c_str());
    const DWORD error = GetLastError();
    elevated_ = mutex_ == nullptr && error == ERROR_ACCESS_DENIED;
    running_ = error == ERROR_ALREADY_EXISTS || elevated_;
}

InstanceClaim::~InstanceClaim() {
    if (mutex_) CloseHandle(mutex_);
}

void showRunningInstance(DWORD waitMs) {
    HWND running = FindWindowW(kMainWindowClass, nullptr);
    for (DWORD waited = 0; !running && waited < waitMs; waited += 50) {
        Sleep(50);
        running = FindWindowW(kMainWindowClass, nullptr);
    }
    if (!running) return;
    ShowWindowAsync(running, SW_SHOWNORMAL);
    HWND focus = GetLastActivePopup(running);
    SetForegroundWindow(focus ? focus : running);
}

}  // namespace lenscout
