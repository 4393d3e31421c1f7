#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/append_file.h"

namespace lenscout {

namespace {

// Each missing folder on the way, for the owner alone.
void makeFolders(const std::string& path) {
    for (size_t at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1))
        ::mkdir(path.substr(0, at).c_str(), 0700);
}

}  // namespace

bool appendLine(const std::string& utf8Path, const std::string& line) {
    makeFolders(utf8Path);
    const int fd = ::open(utf8Path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd < 0) return false;
    bool ok = ::flock(fd, LOCK_EX) == 0;
    for (size_t at = 0; ok && at < line.size();) {
        const ssize_t n = ::write(fd, line.data() + at, line.size() - at);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) at += static_cast<size_t>(n);
    }
    return ::close(fd) == 0 && ok;
}

std::string userStateDirectory() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && *state == '/') return state;
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) + "/.local/state" : "";
}

}  // namespace lenscout
