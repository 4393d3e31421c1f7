#pragma once
// The image of an upload: opened once, measured once, checked, and read by
// position, so that every camera gets exactly the bytes that were checked
// and uploads side by side share one file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/file_handle.h"
#include "upload/upgrade_messages.h"
#include "upload/upload_failure.h"

namespace lenscout {

class ImageFile {
public:
    // None when the file is open, else why not: missing or unreadable, a
    // folder, not a regular file (a FIFO or a device is refused before
    // anything waits on it), or of no size.
    UploadFailure open(const std::string& utf8Path);
    // Opens the file and checks that it is an image of `kind`, as the
    // dialog and lenscout-cli do before any camera is looked for.
    UploadFailure open(const std::string& utf8Path, UpgradeKind kind);
    bool isOpen() const { return file_ != nullptr; }
    // The size in bytes, as measured when it was opened.
    int64_t size() const { return size_; }
    // Exactly count bytes at offset; false on a read error or past the end.
    bool readAt(int64_t offset, void* into, size_t count) const;
    void close() { file_.reset(); }

private:
    FileHandle file_;
    int64_t size_ = -1;
};

// The check of an image's kind: "BNEG" at offset 0 for system firmware,
// "UPGRADE APP_WARE FILE" at offset 8 for a web UI.
bool checkImage(const ImageFile& file, UpgradeKind kind);

}  // namespace lenscout
