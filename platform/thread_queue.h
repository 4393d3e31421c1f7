#pragma once
// A queue of (message, wParam, lParam) per thread, found by the thread's
// identifier. Any thread may post to a queue; only its owner takes from it.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lenscout {

// Tells a queue's thread to end; its wParam is the thread's exit code. The
// other messages are the program's own, from 0x8000 up.
constexpr uint32_t kQuitThread = 1;

using ThreadId = uint32_t;
constexpr ThreadId kNoThread = 0;

struct ThreadMessage {
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

// Makes a queue that posts can reach before any thread owns it.
ThreadId createThreadQueue();
// Makes `id` the calling thread's queue.
void adoptThreadQueue(ThreadId id);
// The calling thread's queue, creating and adopting one if it has none.
ThreadId currentThreadId();

// The most messages a queue holds; posts beyond it are refused.
constexpr size_t kMaxQueuedMessages = 65536;

// False when no open queue has that identifier, or it is full: the message
// was not delivered and anything it points to still belongs to the sender.
bool postThreadMessage(ThreadId id, uint32_t message, uintptr_t wParam, intptr_t lParam);
// Takes at most one message from the calling thread's queue, without waiting.
bool peekThreadMessage(ThreadMessage* out);
// As peek, but waits up to timeoutMs for a message.
bool waitThreadMessage(ThreadMessage* out, uint32_t timeoutMs);
// Closes the calling thread's queue; later posts fail. Returns what was
// still queued, so that the caller can free what those messages own.
std::vector<ThreadMessage> closeThreadQueue();
// As above, for a queue that no thread has adopted (or any other).
std::vector<ThreadMessage> closeThreadQueue(ThreadId id);

}  // namespace lenscout
