#pragma once
// A log file opened for appending that the programs this one starts (the
// browser) do not inherit.
#include "platform/file_handle.h"

namespace lenscout {

FileHandle openPrivateLog(const char* path);

}  // namespace lenscout
