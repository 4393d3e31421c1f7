#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/descriptor_posix.h"
#include "platform/private_file.h"

namespace lenscout {

namespace {

// Nothing there, or a regular file of this user's.
bool placeIsOurs(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT;
    return S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
}

}  // namespace

std::string userSettingsPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config == '/') return std::string(config) + "/lenscout/lenscout.cfg";
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) + "/.config/lenscout/lenscout.cfg" : "";
}

void makePrivateFolders(const std::string& path) {
    for (size_t at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1))
        ::mkdir(path.substr(0, at).c_str(), 0700);
}

bool readOwnFile(const std::string& path, size_t limit, std::string* text) {
    // O_NONBLOCK: a FIFO put there must not hold the open; it is refused below.
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK)};
    struct stat st {};
    if (file.fd < 0 || ::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) return false;
    std::vector<char> buffer(limit);
    size_t got = 0;
    while (got < limit) {
        const ssize_t n = ::read(file.fd, buffer.data() + got, limit - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    text->assign(buffer.data(), got);
    return true;
}

bool replaceOwnFile(const std::string& path, const std::string& text) {
    makePrivateFolders(path);
    if (!placeIsOurs(path)) return false;
    std::string temp = path + ".XXXXXX";
    const Descriptor file{::mkostemp(&temp[0], O_CLOEXEC)};
    if (file.fd < 0) return false;
    if (!writeAll(file.fd, text) || ::fsync(file.fd) != 0 || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace lenscout
