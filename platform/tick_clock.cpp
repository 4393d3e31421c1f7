#include "platform/tick_clock.h"

#include <chrono>

namespace lenscout {

uint32_t tickCount() {
    using namespace std::chrono;
    auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<uint32_t>(ms);
}

}  // namespace lenscout
