#pragma once
// A file descriptor closed when its owner goes, and a whole write to one.
#include <unistd.h>

#include <cerrno>
#include <string>

namespace lenscout {

struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
};

// Every byte of `text`, however many writes it takes; false on an error.
inline bool writeAll(int fd, const std::string& text) {
    for (size_t at = 0; at < text.size();) {
        const ssize_t n = ::write(fd, text.data() + at, text.size() - at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        at += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace lenscout
