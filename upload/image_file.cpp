#include "upload/image_file.h"

#include <cstring>

#include "platform/file_position.h"
#include "platform/open_file.h"

namespace lenscout {

bool ImageFile::open(const std::string& path) {
    file_ = openBinaryFile(path);
    return isOpen();
}

int64_t ImageFile::measure() {
    if (!file_ || !seekFile(file_.get(), 0, true)) return -1;
    const int64_t size = filePosition(file_.get());
    rewind();
    return size;
}

void ImageFile::rewind() {
    if (file_) std::rewind(file_.get());
}

bool ImageFile::read(void* into, size_t count) { return file_ && std::fread(into, 1, count, file_.get()) == count; }

bool ImageFile::seek(int64_t offset) { return file_ && seekFile(file_.get(), offset); }

bool checkImage(ImageFile& file, UpgradeKind kind) {
    static const char kFirmwareMark[] = "BNEG";
    static const char kWebUiMark[] = "UPGRADE APP_WARE FILE";
    const char* mark = kind == UpgradeKind::SystemFirmware ? kFirmwareMark : kWebUiMark;
    const size_t size = std::strlen(mark);
    char found[32] = {};
    const bool ok = file.seek(kind == UpgradeKind::SystemFirmware ? 0 : 8) && file.read(found, size) &&
                    std::memcmp(found, mark, size) == 0;
    file.rewind();
    return ok;
}

}  // namespace lenscout
