#include "site/upload_events.h"

#include "site/upload_outcome.h"

namespace lenscout {

namespace {

bool running(UploadState s) { return s == UploadState::Connecting || s == UploadState::Sending; }

}  // namespace

std::vector<UploadEvent> UploadEvents::next(const std::vector<UploadProgress>& rows, uint32_t now) {
    std::vector<UploadEvent> events;
    for (size_t i = 0; i < rows.size(); ++i) {
        const UploadProgress& p = rows[i];
        const auto before = told_.find(i);
        const UploadState was = before == told_.end() ? UploadState::Waiting : before->second;
        const bool ended = p.state != UploadState::Waiting && !running(p.state);
        if (was == UploadState::Waiting && running(p.state)) events.push_back({UploadEventKind::Started, i});
        if (p.state == UploadState::Sending && now - bytesToldAt_[i] >= 1000) {
            events.push_back({UploadEventKind::Progress, i});
            bytesToldAt_[i] = now;
        }
        if (ended && was != p.state) events.push_back({UploadEventKind::Ended, i});
        told_[i] = p.state;
    }
    return events;
}

Json uploadEventJson(const UploadEvent& event, const UploadProgress& p) {
    switch (event.kind) {
    case UploadEventKind::Started: return {{"event", "started"}, {"id", p.id}};
    case UploadEventKind::Progress: return {{"event", "progress"}, {"id", p.id}, {"bytes", p.sent}, {"size", p.size}};
    case UploadEventKind::Ended: break;
    }
    Json line = {{"event", "ended"}, {"id", p.id}, {"outcome", uploadOutcomeWord(p.state)}};
    if (p.state == UploadState::Failed) line.set("reason", failureReason(p));
    return line;
}

UploadTally tallyOf(const std::vector<UploadProgress>& rows) {
    UploadTally t;
    for (const UploadProgress& p : rows) {
        t.done += p.state == UploadState::Done;
        t.failed += p.state == UploadState::Failed;
        t.running += running(p.state);
        t.waiting += p.state == UploadState::Waiting;
        t.sent += p.sent, t.size += p.size;
    }
    return t;
}

}  // namespace lenscout
