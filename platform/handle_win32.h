#pragma once
// A Windows file handle closed when its owner goes.
#include <windows.h>

namespace lenscout {

struct Handle {
    HANDLE h;
    ~Handle() {
        if (h != INVALID_HANDLE_VALUE && h != nullptr) CloseHandle(h);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
};

}  // namespace lenscout
