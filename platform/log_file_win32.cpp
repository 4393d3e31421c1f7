#include "platform/log_file.h"

#include <windows.h>

#include <io.h>

namespace lenscout {

std::FILE* openPrivateLog(const char* path) {
    std::FILE* file = std::fopen(path, "a");
    if (file) ::SetHandleInformation(reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file))), HANDLE_FLAG_INHERIT, 0);
    return file;
}

}  // namespace lenscout
