#include "platform/file_position.h"

#include <sys/types.h>

namespace lenscout {

bool seekFile(std::FILE* file, int64_t offset, bool fromEnd) {
    return fseeko(file, static_cast<off_t>(offset), fromEnd ? SEEK_END : SEEK_SET) == 0;
}

int64_t filePosition(std::FILE* file) { return static_cast<int64_t>(ftello(file)); }

}  // namespace lenscout
