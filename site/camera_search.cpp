#include "site/camera_search.h"

#include <algorithm>
#include <deque>

#include "discovery/camera_text.h"
#include "discovery/message_ids.h"
#include "discovery/worker_control.h"
#include "platform/text_codecs.h"
#include "platform/tick_clock.h"
#include "ui/camera_list.h"
#include "ui/worker_settings.h"

namespace lenscout {

CameraSearch::CameraSearch(uint32_t periodMs) : periodMs_(periodMs), target_(currentThreadId()) {}

CameraSearch::~CameraSearch() {
    stopWorker(thread_);
    drop();
}

bool CameraSearch::start() {
    return thread_.start([this] { return DiscoveryThreadProc(&target_, periodMs_); });
}

void CameraSearch::follow(const SettingValues& settings) { applyAllToWorker(worker(), settings); }

uint32_t CameraSearch::now() { return tickCount(); }

bool CameraSearch::sendSettings(const CameraRequest& request) { return postSetNetwork(worker(), request); }

bool CameraSearch::next(uint32_t until, SearchEvent* event) {
    ThreadMessage m;
    for (;;) {
        const uint32_t now = tickCount();
        if (tickReached(now, until)) return false;
        if (!waitThreadMessage(&m, std::min<uint32_t>(until - now, 100))) continue;
        event->message = m.message;
        event->camera = m.message == WM_CAMERA_FOUND ? takeRecord(m.wParam) : nullptr;
        event->code = m.message == WM_SCAN_ERROR ? paramCode(m.wParam) : 0;
        event->sender = m.message == WM_SCAN_ERROR ? static_cast<uint32_t>(m.lParam) : 0;
        if (m.message == WM_SCAN_TICK && m.lParam == kTickSentNothing && !saidNoInterface_) {
            if (onNoInterface_) onNoInterface_();
            saidNoInterface_ = true;
        }
        if (event->code == kScanSocketFailure) failed_ = true;
        return true;
    }
}

namespace {

// The latest record, still marked once another device answered for its ID.
void keepLatest(CameraInfo* kept, const CameraInfo& latest) {
    const CameraInfo before = *kept;
    *kept = latest;
    if (before.conflict && !latest.conflict) {
        kept->conflict = 1;
        kept->conflictSender = before.conflictSender;
        kept->conflictIp = before.conflictIp;
    }
}

}  // namespace

void CameraSearch::findAll(const std::vector<std::string>& ids, uint32_t until,
                           std::map<std::string, CameraInfo>* found) {
    const auto missing = [&] {
        return std::any_of(ids.begin(), ids.end(), [&](const std::string& id) { return !found->count(id); });
    };
    // Once all have answered, a while more: a second device with one of the
    // IDs answers the same search, and nothing may go to either then.
    uint32_t settled = until;
    SearchEvent event;
    while (!failed_ && next(settled, &event)) {
        if (!event.camera) continue;
        const std::string id(fieldText(event.camera->deviceId));
        if (std::find(ids.begin(), ids.end(), id) == ids.end()) continue;
        const auto [at, fresh] = found->try_emplace(id, *event.camera);
        if (!fresh) keepLatest(&at->second, *event.camera);
        if (fresh && !missing() && !tickReached(tickCount() + kIdentityWaitMs, until))
            settled = tickCount() + kIdentityWaitMs;
    }
}

namespace {

// The cameras of a listing, at most kMaxListedCameras, and at most half of
// them from one sender: a factory site answers from one address, but a
// flood of made-up IDs from one host must leave room for the real cameras.
// Full, a camera heard only once makes room for a new one, the oldest
// first: a real camera answers every search, made-up IDs once each. A
// camera awaited by name is never given up.
class Listing {
public:
    enum Taken { Known, Added, Replaced, Full };
    Listing(std::vector<CameraInfo>* cameras, const std::vector<std::string>* awaited)
        : cameras_(*cameras), awaited_(awaited) {}

    Taken take(const CameraInfo& camera, const std::string& id) {
        const auto known = at_.find(id);
        if (known != at_.end()) {
            keepLatest(&cameras_[known->second], camera);
            hits_[known->second] = 2;
            return Known;
        }
        size_t& fromSender = bySender_[camera.sender];
        if (fromSender >= kMaxListedCameras / 2 && !awaited(id)) return Full;
        size_t slot = cameras_.size();
        Taken taken = Added;
        if (slot < kMaxListedCameras) {
            cameras_.push_back(camera);
            hits_.push_back(0);
        } else if (!freeSlot(&slot)) {
            return Full;
        } else {
            at_.erase(std::string(fieldText(cameras_[slot].deviceId)));
            --bySender_[cameras_[slot].sender];
            cameras_[slot] = camera;
            taken = Replaced;
        }
        ++fromSender;
        at_[id] = slot;
        hits_[slot] = awaited(id) ? 2 : 1;
        if (hits_[slot] == 1) once_.push_back(slot);
        return taken;
    }

    bool awaited(const std::string& id) const {
        return awaited_ && std::find(awaited_->begin(), awaited_->end(), id) != awaited_->end();
    }

private:
    bool freeSlot(size_t* slot) {
        while (!once_.empty()) {
            *slot = once_.front();
            once_.pop_front();
            if (hits_[*slot] == 1) return true;
        }
        return false;
    }

    std::vector<CameraInfo>& cameras_;
    const std::vector<std::string>* awaited_;
    std::map<std::string, size_t> at_;
    std::map<uint32_t, size_t> bySender_;
    std::vector<int> hits_;    // 1: heard once; 2: more, or awaited
    std::deque<size_t> once_;  // slots heard once, oldest first
};

}  // namespace

void CameraSearch::listAll(uint32_t until, std::vector<CameraInfo>* cameras, const std::vector<std::string>* awaited) {
    Listing listing(cameras, awaited);
    size_t missing = awaited ? awaited->size() : 0;
    uint32_t end = until;
    SearchEvent event;
    while (!failed_ && next(end, &event)) {
        if (!event.camera) continue;
        const std::string id(fieldText(event.camera->deviceId));
        const Listing::Taken taken = listing.take(*event.camera, id);
        if (taken == Listing::Known) continue;
        // Once more came than can be kept, the list is said to be short.
        if (taken == Listing::Replaced || taken == Listing::Full) listFull_ = true;
        if (taken == Listing::Full) continue;
        if (listing.awaited(id)) --missing;
        if (awaited && missing == 0 && !tickReached(tickCount() + kIdentityWaitMs, until))
            end = tickCount() + kIdentityWaitMs;
    }
}

SearchFailure CameraSearch::searchAll(uint32_t searchMs, std::vector<CameraInfo>* cameras,
                                      const std::vector<std::string>* awaited) {
    if (!start()) return SearchFailure::NoThread;
    listAll(tickCount() + searchMs, cameras, awaited);
    return failed_ ? SearchFailure::Socket : SearchFailure::None;
}

void CameraSearch::searchOften() {
    const uint32_t now = tickCount();
    if (now - lastAsked_ < kMinSearchGapMs) return;
    postSearchNow(worker());
    lastAsked_ = now;
}

void CameraSearch::drop() {
    ThreadMessage m;
    while (peekThreadMessage(&m)) releaseMessage(m);
}

const CameraInfo* findCamera(const std::vector<CameraInfo>& cameras, const std::string& id) {
    const auto it =
        std::find_if(cameras.begin(), cameras.end(), [&](const CameraInfo& c) { return fieldText(c.deviceId) == id; });
    return it == cameras.end() ? nullptr : &*it;
}

std::string cameraIdOf(const std::string& typed) { return utf8ToGbk(terminalToUtf8(typed)); }

}  // namespace lenscout
