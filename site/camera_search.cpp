#include "site/camera_search.h"

#include <algorithm>

#include "discovery/camera_text.h"
#include "discovery/message_ids.h"
#include "discovery/worker_control.h"
#include "platform/gbk.h"
#include "platform/tick_clock.h"
#include "ui/camera_list.h"

namespace lenscout {

CameraSearch::CameraSearch(uint32_t periodMs) : periodMs_(periodMs), target_(currentThreadId()) {}

CameraSearch::~CameraSearch() {
    stopWorker(thread_);
    drop();
}

bool CameraSearch::start() {
    return thread_.start([this] { return DiscoveryThreadProc(&target_, periodMs_); });
}

uint32_t CameraSearch::now() { return tickCount(); }

bool CameraSearch::sendSettings(const CameraInfo& request) { return postSetNetwork(worker(), request); }

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

void CameraSearch::listAll(uint32_t until, std::vector<CameraInfo>* cameras, const std::vector<std::string>* awaited) {
    std::map<std::string, size_t> at;
    size_t missing = awaited ? awaited->size() : 0;
    uint32_t end = until;
    SearchEvent event;
    while (!failed_ && next(end, &event)) {
        if (!event.camera) continue;
        const std::string id(fieldText(event.camera->deviceId));
        const auto known = at.find(id);
        if (known == at.end() && cameras->size() >= kMaxListedCameras) {
            listFull_ = true;
            continue;
        }
        const auto [it, fresh] = at.emplace(id, cameras->size());
        if (!fresh) {
            keepLatest(&(*cameras)[it->second], *event.camera);
            continue;
        }
        cameras->push_back(*event.camera);
        if (awaited && std::find(awaited->begin(), awaited->end(), id) != awaited->end()) --missing;
        if (awaited && missing == 0 && !tickReached(tickCount() + kIdentityWaitMs, until))
            end = tickCount() + kIdentityWaitMs;
    }
}

template <class Collect>
SearchFailure CameraSearch::searchWith(Collect collect) {
    if (!start()) return SearchFailure::NoThread;
    collect();
    return failed_ ? SearchFailure::Socket : SearchFailure::None;
}

SearchFailure CameraSearch::searchFor(const std::vector<std::string>& ids, uint32_t searchMs,
                                      std::map<std::string, CameraInfo>* found) {
    return searchWith([&] { findAll(ids, tickCount() + searchMs, found); });
}

SearchFailure CameraSearch::searchAll(uint32_t searchMs, std::vector<CameraInfo>* cameras,
                                      const std::vector<std::string>* awaited) {
    return searchWith([&] { listAll(tickCount() + searchMs, cameras, awaited); });
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

std::string cameraIdOf(const std::string& typed) { return terminalToGbk(typed); }

}  // namespace lenscout
