#include "ui/upload_runner.h"

#include <atomic>
#include <system_error>
#include <thread>

namespace lenscout {

BesideResult runBesideLoop(const std::function<void()>& loop, const std::function<void()>& quit,
                           const std::function<bool()>& session) {
    std::atomic<bool> succeeded{false};
    std::thread beside;
    try {
        beside = std::thread([&] {
            succeeded = session();
            quit();
        });
    } catch (const std::system_error&) {
        // No exception may pass through a window's handler.
        return BesideResult::NoThread;
    }
    loop();
    beside.join();
    return succeeded ? BesideResult::Succeeded : BesideResult::Failed;
}

}  // namespace lenscout
