#include <windows.h>

#include <io.h>

#include "platform/wide_text_win32.h"

#include "platform/open_file.h"

namespace lenscout {

namespace {

// A path that is no UTF-8 is taken as the ANSI code page's, as a command
// line gives it.
std::wstring widePath(const std::string& path) {
    std::wstring wide = widen(CP_UTF8, path, MB_ERR_INVALID_CHARS);
    return wide.empty() ? widen(CP_ACP, path) : wide;
}

HANDLE handleOf(std::FILE* file) { return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))); }

}  // namespace

FileKind openRegularFile(const std::string& utf8Path, FileHandle* out) {
    const std::wstring path = widePath(utf8Path);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return FileKind::Folder;
    FileHandle file(_wfopen(path.c_str(), L"rb"));
    if (!file) return FileKind::CannotOpen;
    // A pipe, a console or a device is no image.
    if (GetFileType(handleOf(file.get())) != FILE_TYPE_DISK) return FileKind::Other;
    *out = std::move(file);
    return FileKind::Regular;
}

int64_t openFileSize(std::FILE* file) {
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(handleOf(file), &size)) return -1;
    return size.QuadPart;
}

bool readFileAt(std::FILE* file, int64_t offset, void* into, size_t count) {
    if (!file || offset < 0) return false;
    auto* at = static_cast<char*>(into);
    while (count > 0) {
        OVERLAPPED where{};
        where.Offset = static_cast<DWORD>(offset);
        where.OffsetHigh = static_cast<DWORD>(offset >> 32);
        const DWORD chunk = count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count);
        DWORD n = 0;
        if (!ReadFile(handleOf(file), at, chunk, &n, &where) || n == 0) return false;
        at += n;
        offset += n;
        count -= n;
    }
    return true;
}

}  // namespace lenscout
