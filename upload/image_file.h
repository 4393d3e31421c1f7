#pragma once
// The image of an upload: opened once, measured once, checked, and read by
// position, so that every camera gets exactly the bytes that were checked
// and uploads side by side share one file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/file_handle.h"
#include "upload/upgrade_messages.h"

namespace lenscout {

class ImageFile {
public:
    // 0 when the file is open, else the string-table row that says why not:
    // missing or unreadable, a folder, not a regular file (a FIFO or a
    // device is refused before anything waits on it), or of no size.
    int open(const std::string& utf8Path);
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
// The text row of a failed check of that kind.
int badImageRow(UpgradeKind kind);

}  // namespace lenscout
