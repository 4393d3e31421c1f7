#include "site/upload_jobs.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <iterator>
#include <thread>

#include "app/string_table.h"
#include "platform/secrets.h"
#include "platform/tick_clock.h"
#include "upload/image_file.h"
#include "upload/upgrade_messages.h"
#include "upload/upgrade_session.h"

namespace lenscout {

namespace {

// Carries one session's callbacks into its camera's progress.
class JobObserver : public UpgradeObserver {
public:
    using Update = std::function<void(const std::function<void(UploadProgress&)>&)>;
    explicit JobObserver(Update update) : update_(std::move(update)) {}

    void onTransferStart() override {
        update_([](UploadProgress& p) { p.state = UploadState::Sending, p.sendingAt = tickCount(); });
    }
    // The percentage follows from the bytes, which come with every block.
    void onProgress(int) override {}
    void onBytes(int64_t sent, int64_t size) override {
        update_([&](UploadProgress& p) { p.percent = progressPercent(sent, size), p.sent = sent, p.size = size; });
    }
    void onFailure(UploadFailure failure) override {
        update_([&](UploadProgress& p) { p.failure = failure; });
    }

private:
    Update update_;
};

bool ended(UploadState s) {
    return s != UploadState::Waiting && s != UploadState::Connecting && s != UploadState::Sending;
}

}  // namespace

void UploadJobs::update(size_t index, const std::function<void(UploadProgress&)>& change) {
    std::lock_guard<std::mutex> guard(lock_);
    change(cameras_[index]);
}

void UploadJobs::uploadOne(size_t index) {
    CameraInfo camera{};
    bool interrupted = false;
    update(index, [&](UploadProgress& p) {
        interrupted = p.state == UploadState::Interrupted;
        if (interrupted) return;
        camera = p.camera;
        p.state = UploadState::Connecting;
        p.startedAt = tickCount();
    });
    if (interrupted) return;
    call(beforeEach_, index);
    JobObserver observer([this, index](const std::function<void(UploadProgress&)>& change) { update(index, change); });
    const bool ok = UpgradeSession::run(kind_, image_, camera, credentials_, observer) == UpgradeResult::Success;
    update(index, [&](UploadProgress& p) {
        p.state = ok ? UploadState::Done : UploadState::Failed;
        p.endedAt = tickCount();
    });
    call(afterEach_, index);
    ended_.notify_all();
}

void UploadJobs::call(const std::function<void(const UploadProgress&)>& each, size_t index) {
    if (!each) return;
    const UploadProgress now = snapshot()[index];
    std::lock_guard<std::mutex> guard(callLock_);
    each(now);
}

// A camera whose turn has not come is not started any more. A thread that
// took its index just before is told by the state.
void UploadJobs::interruptWaiting() {
    std::lock_guard<std::mutex> guard(lock_);
    for (UploadProgress& p : cameras_)
        if (p.state == UploadState::Waiting) p.state = UploadState::Interrupted;
    ended_.notify_all();
}

bool UploadJobs::allEndedLocked() const {
    for (const UploadProgress& p : cameras_)
        if (!ended(p.state)) return false;
    return true;
}

std::vector<UploadProgress> UploadJobs::snapshot() const {
    std::lock_guard<std::mutex> guard(lock_);
    return cameras_;
}

void UploadJobs::run(unsigned jobs, uint32_t periodMs,
                     const std::function<void(const std::vector<UploadProgress>&)>& watch,
                     const std::function<bool()>& stopped) {
    std::vector<size_t> queue;
    for (size_t i = 0; i < cameras_.size(); ++i)
        if (cameras_[i].state == UploadState::Waiting) queue.push_back(i);
    std::atomic<size_t> nextJob{0};
    std::atomic<bool> stopping{false};
    std::vector<std::thread> threads;
    for (unsigned j = 0; j < jobs && j < queue.size(); ++j)
        threads.emplace_back([&] {
            for (size_t at; !stopping && (at = nextJob.fetch_add(1)) < queue.size();) uploadOne(queue[at]);
        });
    // The view is drawn every period, and at once when the last one ends.
    for (;;) {
        if (!stopping && stopped()) {
            stopping = true;
            interruptWaiting();
        }
        watch(snapshot());
        std::unique_lock<std::mutex> guard(lock_);
        if (ended_.wait_for(guard, std::chrono::milliseconds(periodMs), [this] { return allEndedLocked(); })) break;
    }
    for (std::thread& t : threads) t.join();
    watch(snapshot());
}

}  // namespace lenscout
