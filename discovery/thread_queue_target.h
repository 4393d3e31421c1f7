#pragma once
#include "discovery/message_target.h"
#include "platform/thread_queue.h"

namespace lenscout {

// Delivers the worker's notifications to a thread's own queue, for
// consumers without a window: tools, tests, benchmarks.
class ThreadQueueTarget : public MessageTarget {
public:
    explicit ThreadQueueTarget(ThreadId owner) : owner_(owner) {}
    bool postMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

private:
    ThreadId owner_;
};

// Closes the calling thread's queue and frees the records still in it.
void discardThreadQueue();

}  // namespace lenscout
