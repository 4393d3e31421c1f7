#include <windows.h>

#include <cstdlib>
#include <string>

#include "support/environment.h"

namespace lenscout::test {

void setEnvironment(const char* name, const char* value) { ::_putenv_s(name, value); }
// An empty value removes a variable on Windows.
void clearEnvironment(const char* name) { ::_putenv_s(name, ""); }

const char* userSettingsVariable() { return "APPDATA"; }

void isolateUserSettings() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"lenscout-appdata-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    ::_wputenv_s(L"APPDATA", folder.c_str());
}

}  // namespace lenscout::test
