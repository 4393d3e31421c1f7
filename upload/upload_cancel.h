#pragma once
// Lets another thread stop an upload: the user's Cancel, or a program
// that is asked to end. The session looks at it between sends, and a send
// or a wait that hangs on the camera is broken off at once.
#include <atomic>
#include <mutex>

#include "platform/socket.h"

namespace lenscout {

class UploadCancel {
public:
    // From any thread, any number of times.
    void cancel();
    bool cancelled() const { return cancelled_.load(); }

    // The session's connection, while it is open; a cancel breaks it off.
    void attach(SocketHandle s);
    void detach();

private:
    std::atomic<bool> cancelled_{false};
    std::mutex lock_;
    bool attached_ = false;
    SocketHandle socket_{};
};

}  // namespace lenscout
