#pragma once
// The one way to own a C stream: it is closed when its owner goes, on every
// path, and it cannot be copied.
#include <cstdio>
#include <memory>

namespace lenscout {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace lenscout
