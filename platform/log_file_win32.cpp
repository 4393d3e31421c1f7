#include "platform/log_file.h"

#include <windows.h>

#include <io.h>

namespace lenscout {

FileHandle openPrivateLog(const char* path) {
    FileHandle file(std::fopen(path, "a"));
    if (file)
        ::SetHandleInformation(reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file.get()))), HANDLE_FLAG_INHERIT,
                               0);
    return file;
}

}  // namespace lenscout
