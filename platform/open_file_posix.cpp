#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/open_file.h"

namespace lenscout {

namespace {

FileKind kindOf(mode_t mode) {
    if (S_ISREG(mode)) return FileKind::Regular;
    return S_ISDIR(mode) ? FileKind::Folder : FileKind::Other;
}

}  // namespace

// O_NONBLOCK keeps the open of a FIFO from waiting for a writer; it is
// taken off again once the file has proved regular.
FileKind openRegularFile(const std::string& utf8Path, FileHandle* out) {
    const int fd = ::open(utf8Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return FileKind::CannotOpen;
    struct stat st {};
    const FileKind kind = ::fstat(fd, &st) == 0 ? kindOf(st.st_mode) : FileKind::CannotOpen;
    std::FILE* file = nullptr;
    if (kind == FileKind::Regular && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0)
        file = ::fdopen(fd, "rb");
    if (!file) {
        ::close(fd);
        return kind == FileKind::Regular ? FileKind::CannotOpen : kind;
    }
    out->reset(file);
    return FileKind::Regular;
}

int64_t openFileSize(std::FILE* file) {
    struct stat st {};
    if (!file || ::fstat(::fileno(file), &st) != 0) return -1;
    return static_cast<int64_t>(st.st_size);
}

bool readFileAt(std::FILE* file, int64_t offset, void* into, size_t count) {
    if (!file || offset < 0) return false;
    auto* at = static_cast<char*>(into);
    while (count > 0) {
        const ssize_t n = ::pread(::fileno(file), at, count, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        at += n;
        offset += n;
        count -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace lenscout
