#pragma once
// A diagnostic record of the camera list for scripts: when the environment
// names a file in LENSCOUT_LIST_LOG, every change of the list's size and
// every sweep appends its lines there (UTF-8), each block headed by the
// monotonic clock in milliseconds.
#include <memory>
#include <utility>

#include "platform/file_handle.h"

namespace lenscout {

class ListLines;

class ListLog {
public:
    // Null when the environment asks for no log.
    static std::unique_ptr<ListLog> fromEnvironment();
    void write(const char* event, const ListLines& lines);

private:
    explicit ListLog(FileHandle file) : file_(std::move(file)) {}
    FileHandle file_;
};

}  // namespace lenscout
