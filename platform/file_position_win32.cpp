#include "platform/file_position.h"

namespace lenscout {

bool seekFile(std::FILE* file, int64_t offset, bool fromEnd) {
    return _fseeki64(file, offset, fromEnd ? SEEK_END : SEEK_SET) == 0;
}

int64_t filePosition(std::FILE* file) { return _ftelli64(file); }

}  // namespace lenscout
