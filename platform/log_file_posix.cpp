#include "platform/log_file.h"

namespace lenscout {

// "e": close-on-exec.
FileHandle openPrivateLog(const char* path) { return FileHandle(std::fopen(path, "ae")); }

}  // namespace lenscout
