#pragma once

#include <unistd.h>

#include <climits>
#include <cstddef>
#include <filesystem>
#include <string>

namespace lenscout::test {

// Descriptors of this process whose target begins with `prefix`: "socket:"
// counts sockets, a file's path counts that file, "" counts them all.
inline size_t openDescriptors(const std::string& prefix = "") {
    size_t n = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        char target[PATH_MAX];
        const ssize_t length = readlink(entry.path().c_str(), target, sizeof target);
        if (length >= 0 && std::string(target, static_cast<size_t>(length)).rfind(prefix, 0) == 0) ++n;
    }
    return n;
}

}  // namespace lenscout::test
