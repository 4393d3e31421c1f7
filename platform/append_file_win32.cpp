#include <windows.h>

#include <cstdlib>

#include "platform/append_file.h"
#include "platform/wide_text_win32.h"

namespace lenscout {

namespace {

void makeFolders(const std::wstring& path) {
    for (size_t at = path.find_first_of(L"\\/", 3); at != std::wstring::npos; at = path.find_first_of(L"\\/", at + 1))
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
}

}  // namespace

bool appendLine(const std::string& utf8Path, const std::string& line) {
    const std::wstring path = widen(CP_UTF8, utf8Path);
    makeFolders(path);
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    OVERLAPPED whole{};
    bool ok = LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole) != FALSE;
    DWORD written = 0;
    ok = ok && WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
         written == line.size();
    UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
    return CloseHandle(file) && ok;
}

std::string userStateDirectory() {
    const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
    return local && *local ? narrow(CP_UTF8, local) : "";
}

}  // namespace lenscout
