#pragma once
// An upload beside the window's own loop, for both desktops: the session
// runs on a thread of its own while the window's thread goes on
// dispatching, so that the windows repaint, the bar moves, and the program
// never looks hung.
#include <functional>

namespace lenscout {

enum class BesideResult { Succeeded, Failed, NoThread };

// `session` on a thread of its own while `loop` dispatches the window's
// messages; `quit`, called from the session's thread once it has ended,
// makes `loop` return. Joined before this returns; NoThread, with nothing
// run, when the system gives no thread.
BesideResult runBesideLoop(const std::function<void()>& loop, const std::function<void()>& quit,
                           const std::function<bool()>& session);

}  // namespace lenscout
