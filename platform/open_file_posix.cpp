#include "platform/open_file.h"

namespace lenscout {

FileHandle openBinaryFile(const std::string& utf8Path) { return FileHandle(std::fopen(utf8Path.c_str(), "rb")); }

}  // namespace lenscout
