#include <windows.h>

#include <cstdlib>

#include "platform/append_file.h"
#include "platform/file_owner_win32.h"
#include "platform/handle_win32.h"
#include "platform/private_file.h"
#include "platform/wide_text_win32.h"

namespace lenscout {

namespace {

bool readAt(HANDLE file, LONGLONG offset, char* into, DWORD count, DWORD* got) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return ReadFile(file, into, count, got, &at) != FALSE;
}

// The length of the file up to the end of its last whole line.
LONGLONG wholeLinesEnd(HANDLE file, LONGLONG size) {
    char block[4096];
    for (LONGLONG end = size; end > 0;) {
        const LONGLONG start = end > static_cast<LONGLONG>(sizeof block) ? end - sizeof block : 0;
        DWORD n = 0;
        if (!readAt(file, start, block, static_cast<DWORD>(end - start), &n) || n == 0) return size;
        for (DWORD i = n; i > 0; --i)
            if (block[i - 1] == '\n') return start + i;
        end = start;
    }
    return 0;
}

// Cuts a last line that has no end, then places the file at its end.
bool repairTornLineAndSeekEnd(HANDLE file) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) return false;
    char last = '\n';
    DWORD got = 0;
    if (size.QuadPart > 0 && readAt(file, size.QuadPart - 1, &last, 1, &got) && got == 1 && last != '\n') {
        LARGE_INTEGER end{};
        end.QuadPart = wholeLinesEnd(file, size.QuadPart);
        if (!SetFilePointerEx(file, end, nullptr, FILE_BEGIN) || !SetEndOfFile(file)) return false;
    }
    return SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_END) != FALSE;
}

}  // namespace

AppendResult appendLine(const std::string& utf8Path, const std::string& line) {
    makePrivateFolders(utf8Path);
    const std::wstring path = widen(CP_UTF8, utf8Path);
    // A link at the file itself is opened as the link, and refused.
    const Handle file{CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | READ_CONTROL,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) return AppendResult::CannotOpen;
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file.h) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.h, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) ||
        info.nNumberOfLinks > 1 || !ownedByThisUser(file.h))
        return AppendResult::NotOurs;
    OVERLAPPED whole{};
    if (!LockFileEx(file.h, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) return AppendResult::CannotWrite;
    DWORD written = 0;
    const bool ok = repairTornLineAndSeekEnd(file.h) &&
                    WriteFile(file.h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
                    written == line.size() && FlushFileBuffers(file.h);
    UnlockFileEx(file.h, 0, MAXDWORD, MAXDWORD, &whole);
    return ok ? AppendResult::Written : AppendResult::CannotWrite;
}

std::string userStateDirectory() {
    const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
    return local && *local ? narrow(CP_UTF8, local) : "";
}

}  // namespace lenscout
