#include "platform/thread_queue.h"

#include <gtest/gtest.h>

#include "platform/tick_clock.h"
#include "platform/worker_thread.h"

namespace lenscout {
namespace {

TEST(TickClock, ReachedAcrossTheWrap) {
    EXPECT_TRUE(tickReached(100, 100));
    EXPECT_TRUE(tickReached(101, 100));
    EXPECT_FALSE(tickReached(99, 100));
    EXPECT_TRUE(tickReached(5, 0xfffffff0u));   // the clock wrapped after the due time was set
    EXPECT_FALSE(tickReached(0xfffffff0u, 5));  // due after the wrap, not yet reached
}

TEST(ThreadQueue, PostsReachOnlyOpenQueuesInOrder) {
    const ThreadId id = createThreadQueue();
    EXPECT_TRUE(postThreadMessage(id, 1, 10, -1));
    EXPECT_TRUE(postThreadMessage(id, 2, 20, 0));
    const auto left = closeThreadQueue(id);
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].message, 1u);
    EXPECT_EQ(left[0].lParam, -1);
    EXPECT_EQ(left[1].wParam, 20u);
    EXPECT_FALSE(postThreadMessage(id, 3, 0, 0));
    EXPECT_FALSE(postThreadMessage(kNoThread, 3, 0, 0));
}

TEST(ThreadQueue, WaitTimesOutAndPeekDoesNotWait) {
    WorkerThread thread;
    ASSERT_TRUE(thread.start([] {
        ThreadMessage m;
        const uint32_t before = tickCount();
        const bool got = waitThreadMessage(&m, 30);
        const bool peeked = peekThreadMessage(&m);
        return (!got && !peeked && tickCount() - before >= 25) ? 0u : 1u;
    }));
    thread.join();
    EXPECT_EQ(thread.exitCode(), 0u);
}

TEST(WorkerThread, QueueExistsBeforeTheThreadRunsAndExitCodeIsPublished) {
    WorkerThread thread;
    ASSERT_TRUE(thread.start([] {
        ThreadMessage m;
        while (waitThreadMessage(&m, 1000) && m.message != kQuitThread) {}
        return static_cast<uint32_t>(m.wParam);
    }));
    EXPECT_TRUE(postThreadMessage(thread.id(), kQuitThread, 42, 0));
    thread.join();
    EXPECT_EQ(thread.exitCode(), 42u);
    EXPECT_FALSE(postThreadMessage(thread.id(), kQuitThread, 0, 0));
}

}  // namespace
}  // namespace lenscout
