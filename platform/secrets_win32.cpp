#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "platform/secrets.h"

namespace lenscout {

// Windows writes no core dump of its own accord; what a crash reporter
// takes is not this program's to prevent.
void keepSecretsFromDumps() {}

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
