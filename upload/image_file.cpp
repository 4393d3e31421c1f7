#include "upload/image_file.h"

#include <cstring>

#include "platform/open_file.h"

namespace lenscout {

namespace {

UploadFailure badImageFailure(UpgradeKind kind) {
    return kind == UpgradeKind::SystemFirmware ? UploadFailure::BadFirmwareImage : UploadFailure::BadWebUiImage;
}

}  // namespace

UploadFailure ImageFile::open(const std::string& utf8Path) {
    file_.reset();
    size_ = -1;
    switch (openRegularFile(utf8Path, &file_)) {
    case FileKind::Regular: break;
    case FileKind::Folder: return UploadFailure::FileIsFolder;
    case FileKind::Other: return UploadFailure::NotAFile;
    case FileKind::CannotOpen: return UploadFailure::CannotOpenFile;
    }
    size_ = openFileSize(file_.get());
    if (size_ >= 0) return UploadFailure::None;
    file_.reset();
    return UploadFailure::CannotReadFile;
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

UploadFailure ImageFile::open(const std::string& utf8Path, UpgradeKind kind) {
    if (const UploadFailure f = open(utf8Path); f != UploadFailure::None) return f;
    return checkImage(*this, kind) ? UploadFailure::None : badImageFailure(kind);
}

}  // namespace lenscout
