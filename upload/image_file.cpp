#include "upload/image_file.h"

#include <cstring>

#include "app/string_table.h"
#include "platform/open_file.h"

namespace lenscout {

int ImageFile::open(const std::string& utf8Path) {
    file_.reset();
    size_ = -1;
    switch (openRegularFile(utf8Path, &file_)) {
    case FileKind::Regular: break;
    case FileKind::Folder: return kTextFileIsFolder;
    case FileKind::Other: return kTextNotAFile;
    case FileKind::CannotOpen: return kTextCannotOpenFile;
    }
    size_ = openFileSize(file_.get());
    if (size_ >= 0) return 0;
    file_.reset();
    return kTextCannotReadFile;
}

bool ImageFile::readAt(int64_t offset, void* into, size_t count) const {
    return file_ && offset + static_cast<int64_t>(count) <= size_ && readFileAt(file_.get(), offset, into, count);
}

bool checkImage(const ImageFile& file, UpgradeKind kind) {
    static const char kFirmwareMark[] = "BNEG";
    static const char kWebUiMark[] = "UPGRADE APP_WARE FILE";
    const char* mark = kind == UpgradeKind::SystemFirmware ? kFirmwareMark : kWebUiMark;
    const size_t size = std::strlen(mark);
    char found[32] = {};
    return file.readAt(kind == UpgradeKind::SystemFirmware ? 0 : 8, found, size) && std::memcmp(found, mark, size) == 0;
}

int badImageRow(UpgradeKind kind) {
    return kind == UpgradeKind::SystemFirmware ? kTextBadFirmwareFile : kTextBadWebUiFile;
}

}  // namespace lenscout
