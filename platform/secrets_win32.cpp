#include <windows.h>

// werapi.h of the cross toolchain does not compile on its own: the two
// calls this file needs, as the system declares them.
extern "C" {
HRESULT WINAPI WerSetFlags(DWORD flags);
HRESULT WINAPI WerAddExcludedApplication(PCWSTR program, BOOL allUsers);
}

#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "platform/secrets.h"

namespace lenscout {

// Windows Error Reporting leaves this program out from the first password
// on: no report and no dump of it for this user, and a report made anyway
// (by a policy that overrides the exclusion) without the heap. What an
// administrator sets for the whole machine, a debugger or LocalDumps
// forced by policy, stays beyond a program's reach.
void keepSecretsFromDumps() {
    static bool done = false;
    if (done) return;
    done = true;
    constexpr DWORD kNoHeap = 1;  // WER_FAULT_REPORTING_FLAG_NOHEAP
    WerSetFlags(kNoHeap);
    // The list holds programs by their file names.
    wchar_t program[MAX_PATH] = {};
    if (GetModuleFileNameW(nullptr, program, MAX_PATH) == 0) return;
    const wchar_t* name = std::wcsrchr(program, L'\\');
    WerAddExcludedApplication(name ? name + 1 : program, FALSE);
}

void wipe(void* data, size_t size) { SecureZeroMemory(data, size); }

void wipe(std::string& text) {
    wipe(text.data(), text.size());
    text.clear();
}

void forgetEnvironment(const char* name) {
    if (char* value = std::getenv(name)) wipe(value, std::strlen(value));
    _putenv_s(name, "");
    SetEnvironmentVariableA(name, nullptr);
}

// Who may read a file is in its access list, which the password file's
// owner sets; it is not judged here.
bool readableByOthers(const std::string&) { return false; }

}  // namespace lenscout
