#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/append_file.h"
#include "platform/descriptor_posix.h"
#include "platform/private_file.h"

namespace lenscout {

namespace {

// The length of the file up to the end of its last whole line.
off_t wholeLinesEnd(int fd, off_t size) {
    char block[4096];
    for (off_t end = size; end > 0;) {
        const off_t start = end > static_cast<off_t>(sizeof block) ? end - static_cast<off_t>(sizeof block) : 0;
        const ssize_t n = ::pread(fd, block, static_cast<size_t>(end - start), start);
        if (n <= 0) return size;  // unreadable: leave it as it is
        for (ssize_t i = n; i > 0; --i)
            if (block[i - 1] == '\n') return start + i;
        end = start;
    }
    return 0;
}

// Cuts a last line that has no end, so that the next line starts a line.
bool repairTornLine(int fd, off_t size) {
    char last = '\n';
    if (size == 0 || ::pread(fd, &last, 1, size - 1) != 1 || last == '\n') return true;
    return ::ftruncate(fd, wholeLinesEnd(fd, size)) == 0;
}

}  // namespace

AppendResult appendLine(const std::string& utf8Path, const std::string& line) {
    makePrivateFolders(utf8Path);
    // O_NONBLOCK: a FIFO put there must not hold the open; it is refused below.
    const Descriptor file{
        ::open(utf8Path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK, 0600)};
    if (file.fd < 0) return errno == ELOOP || errno == ENXIO ? AppendResult::NotOurs : AppendResult::CannotOpen;
    struct stat st {};
    // A hard link is a second name that someone else may have chosen for
    // the file, as a symbolic link is.
    if (::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() || st.st_nlink > 1)
        return AppendResult::NotOurs;
    if (::flock(file.fd, LOCK_EX) != 0) return AppendResult::CannotWrite;
    // The size again under the lock: another writer may have appended.
    if (::fstat(file.fd, &st) != 0 || !repairTornLine(file.fd, st.st_size)) return AppendResult::CannotWrite;
    return writeAll(file.fd, line) && ::fsync(file.fd) == 0 ? AppendResult::Written : AppendResult::CannotWrite;
}

std::string userStateDirectory() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && *state == '/') return state;
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) + "/.local/state" : "";
}

}  // namespace lenscout
