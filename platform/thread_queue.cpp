#include "platform/thread_queue.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace lenscout {
namespace {

struct Queue {
    std::deque<ThreadMessage> messages;
    std::condition_variable arrived;
};

struct Registry {
    std::mutex lock;
    std::unordered_map<ThreadId, std::shared_ptr<Queue>> queues;
    ThreadId lastId = kNoThread;
};

Registry& registry() {
    static Registry r;
    return r;
}

thread_local ThreadId tCurrent = kNoThread;

std::shared_ptr<Queue> find(Registry& r, ThreadId id) {
    auto it = r.queues.find(id);
    return it == r.queues.end() ? nullptr : it->second;
}

}  // namespace

ThreadId createThreadQueue() {
    Registry& r = registry();
    std::lock_guard<std::mutex> g(r.lock);
    do ++r.lastId;
    while (r.lastId == kNoThread || r.queues.count(r.lastId));
    r.queues.emplace(r.lastId, std::make_shared<Queue>());
    return r.lastId;
}

void adoptThreadQueue(ThreadId id) { tCurrent = id; }

ThreadId currentThreadId() {
    if (tCurrent == kNoThread) tCurrent = createThreadQueue();
    return tCurrent;
}

bool postThreadMessage(ThreadId id, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    Registry& r = registry();
    std::lock_guard<std::mutex> g(r.lock);
    auto q = find(r, id);
    // A flood must not grow the queue without bound: a full queue refuses,
    // and the sender keeps (and frees) what the message points to.
    if (!q || q->messages.size() >= kMaxQueuedMessages) return false;
    q->messages.push_back(ThreadMessage{message, wParam, lParam});
    q->arrived.notify_one();
    return true;
}

bool waitThreadMessage(ThreadMessage* out, uint32_t timeoutMs) {
    Registry& r = registry();
    std::unique_lock<std::mutex> g(r.lock);
    auto q = find(r, tCurrent);
    if (!q) return false;
    if (timeoutMs > 0)
        q->arrived.wait_for(g, std::chrono::milliseconds(timeoutMs), [&] { return !q->messages.empty(); });
    if (q->messages.empty()) return false;
    *out = q->messages.front();
    q->messages.pop_front();
    return true;
}

bool peekThreadMessage(ThreadMessage* out) { return waitThreadMessage(out, 0); }

std::vector<ThreadMessage> closeThreadQueue(ThreadId id) {
    Registry& r = registry();
    std::lock_guard<std::mutex> g(r.lock);
    std::vector<ThreadMessage> left;
    if (auto q = find(r, id)) {
        left.assign(q->messages.begin(), q->messages.end());
        r.queues.erase(id);
    }
    return left;
}

std::vector<ThreadMessage> closeThreadQueue() {
    std::vector<ThreadMessage> left = closeThreadQueue(tCurrent);
    tCurrent = kNoThread;
    return left;
}

}  // namespace lenscout
