// Stands in for netsh.exe in the installer's test prefix: appends its
// command line to C:\netsh.log, so that the test sees the firewall rules
// that the installer and the uninstaller ask for. Wine has no firewall.
#include <windows.h>

#include <cstdio>

int main() {
    FILE* log = _wfopen(L"C:\\netsh.log", L"a");
    if (!log) return 1;
    const wchar_t* line = GetCommandLineW();
    char utf8[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8, sizeof utf8 - 1, nullptr, nullptr);
    std::fprintf(log, "%s\n", utf8);
    std::fclose(log);
    return 0;
}
