#include "platform/log_file.h"

namespace lenscout {

// "e": close-on-exec.
std::FILE* openPrivateLog(const char* path) { return std::fopen(path, "ae"); }

}  // namespace lenscout
