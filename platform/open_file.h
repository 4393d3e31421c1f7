#pragma once
// Opening a file to read by a UTF-8 path, whatever the system's own
// encoding of names, and reading it by position.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/file_handle.h"

namespace lenscout {

enum class FileKind { Regular, Folder, Other, CannotOpen };
// Opens only a regular file; a FIFO or a device is refused without waiting
// on it, as an open or a read of one could wait for ever.
FileKind openRegularFile(const std::string& utf8Path, FileHandle* out);
// The size of an open file; -1 when it cannot be told.
int64_t openFileSize(std::FILE* file);
// Exactly `count` bytes at `offset`, without a shared position: threads
// may read one file side by side. False on a read error or a short file.
bool readFileAt(std::FILE* file, int64_t offset, void* into, size_t count);

}  // namespace lenscout
