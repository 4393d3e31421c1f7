#pragma once
// Opening a file by a UTF-8 path, whatever the system's own encoding of
// names; null when it cannot be opened.
#include <string>

#include "platform/file_handle.h"

namespace lenscout {

FileHandle openBinaryFile(const std::string& utf8Path);

}  // namespace lenscout
