#define _CRT_RAND_S
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/file_owner_win32.h"
#include "platform/handle_win32.h"
#include "platform/private_file.h"
#include "platform/wide_text_win32.h"

namespace lenscout {

namespace {

// A file on disk that is no link (a reparse point) and no folder.
bool plainFile(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
           !(info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY));
}

HANDLE openUnfollowed(const std::wstring& path, DWORD access) {
    return CreateFileW(path.c_str(), access | READ_CONTROL, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// Nothing there, or a plain file of this user's. A folder does not open
// without backup semantics, and is refused with the rest.
bool placeIsOurs(const std::wstring& path) {
    const Handle file{openUnfollowed(path, 0)};
    if (file.h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    return plainFile(file.h) && ownedByThisUser(file.h);
}

// A name beside `path` that nobody can have guessed and put a link at.
std::wstring temporaryBeside(const std::wstring& path) {
    unsigned int parts[2] = {};
    for (unsigned int& p : parts) rand_s(&p);
    wchar_t suffix[32] = {};
    swprintf(suffix, 32, L".%08x%08x.new", parts[0], parts[1]);
    return path + suffix;
}

}  // namespace

// The user's roaming folder: the settings follow the user as Windows means
// settings to, and a standard user can always write there.
std::string userSettingsPath() {
    const wchar_t* appData = _wgetenv(L"APPDATA");
    return appData && *appData ? narrow(CP_UTF8, appData) + "\\Lenscout\\lenscout.cfg" : "";
}

void makePrivateFolders(const std::string& utf8Path) {
    const std::wstring path = widen(CP_UTF8, utf8Path);
    for (size_t at = path.find_first_of(L"\\/", 3); at != std::wstring::npos; at = path.find_first_of(L"\\/", at + 1))
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
}

bool readOwnFile(const std::string& utf8Path, size_t limit, std::string* text) {
    const Handle file{openUnfollowed(widen(CP_UTF8, utf8Path), GENERIC_READ)};
    if (file.h == INVALID_HANDLE_VALUE || !plainFile(file.h) || !ownedByThisUser(file.h)) return false;
    std::vector<char> buffer(limit);
    DWORD got = 0;
    if (!ReadFile(file.h, buffer.data(), static_cast<DWORD>(limit), &got, nullptr)) return false;
    text->assign(buffer.data(), got);
    return true;
}

bool replaceOwnFile(const std::string& utf8Path, const std::string& text) {
    makePrivateFolders(utf8Path);
    const std::wstring path = widen(CP_UTF8, utf8Path);
    if (!placeIsOurs(path)) return false;
    // A new file of a name nobody knows: never one that is there already,
    // nor a link put there to send the text elsewhere.
    const std::wstring temp = temporaryBeside(path);
    bool ok = false;
    {
        const Handle file{
            CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)};
        DWORD written = 0;
        ok = file.h != INVALID_HANDLE_VALUE &&
             WriteFile(file.h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
             written == text.size() && FlushFileBuffers(file.h);
    }
    ok = ok && MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(temp.c_str());
    return ok;
}

}  // namespace lenscout
