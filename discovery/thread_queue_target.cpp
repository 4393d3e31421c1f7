#include "discovery/thread_queue_target.h"

#include "discovery/message_ids.h"

namespace lenscout {

bool ThreadQueueTarget::postMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return postThreadMessage(owner_, message, wParam, lParam);
}

void discardThreadQueue() {
    for (const ThreadMessage& m : closeThreadQueue()) releaseMessage(m);
}

}  // namespace lenscout
