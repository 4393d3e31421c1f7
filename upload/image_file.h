#pragma once
// An image file opened for an upload, closed on every path.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/file_handle.h"
#include "upload/upgrade_messages.h"

namespace lenscout {

class ImageFile {
public:
    // False when the file cannot be opened for reading.
    bool open(const std::string& path);
    bool isOpen() const { return file_ != nullptr; }
    // The size in bytes, from the end's position; -1 when unknown. Leaves
    // the file at its start.
    int64_t measure();
    void rewind();
    // Reads exactly count bytes; false when fewer are there.
    bool read(void* into, size_t count);
    bool seek(int64_t offset);
    void close() { file_.reset(); }

private:
    FileHandle file_;
};

// The check of an image's kind: "BNEG" at offset 0 for system firmware,
// "UPGRADE APP_WARE FILE" at offset 8 for a web UI. Leaves the file at its
// start.
bool checkImage(ImageFile& file, UpgradeKind kind);

}  // namespace lenscout
