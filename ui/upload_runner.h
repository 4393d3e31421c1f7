#pragma once
// An upload beside the window's own loop, for both desktops: the session
// runs on a thread of its own while the window's thread goes on
// dispatching, so that the windows repaint, the bar moves, and the program
// never looks hung.
#include <functional>

namespace lenscout {

// The window's loop, nested in the upload dialog's handler.
class NestedLoop {
public:
    virtual ~NestedLoop() = default;
    // Dispatches the window's messages until quit() has been called.
    virtual void run() = 0;
    // From the session's thread, once the session has ended.
    virtual void quit() = 0;
};

enum class BesideResult { Succeeded, Failed, NoThread };

// `session` on a thread of its own while `loop` runs, joined before this
// returns; NoThread, with nothing run, when the system gives no thread.
BesideResult runBesideLoop(NestedLoop& loop, const std::function<bool()>& session);

}  // namespace lenscout
