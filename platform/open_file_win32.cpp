#include <windows.h>

#include "platform/open_file.h"

namespace lenscout {

// A path that is no UTF-8 is taken as the ANSI code page's, as a command
// line gives it.
FileHandle openBinaryFile(const std::string& utf8Path) {
    const int size = static_cast<int>(utf8Path.size());
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Path.data(), size, nullptr, 0);
    if (n <= 0) return FileHandle(std::fopen(utf8Path.c_str(), "rb"));
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Path.data(), size, wide.data(), n);
    return FileHandle(_wfopen(wide.c_str(), L"rb"));
}

}  // namespace lenscout
