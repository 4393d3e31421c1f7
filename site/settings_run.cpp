#include "site/settings_run.h"

#include <algorithm>

#include "discovery/camera_text.h"
#include "discovery/discovery_messages.h"
#include "discovery/discovery_worker.h"
#include "discovery/message_ids.h"
#include "discovery/request_senders.h"
#include "platform/secrets.h"
#include "site/camera_json.h"

namespace lenscout {

JournalEntry journalEntry(const Change& c) { return settingsChange(c.current, c.wanted, c.row.dhcp); }

Json changeJson(const Change& c) {
    Json object = {{"id", c.row.id}, {"line", c.row.line}};
    object.set("current", c.current.deviceId[0] ? settingsObject(c.current, DhcpMode::Unknown) : Json());
    object.set("planned", settingsObject(c.wanted, c.row.dhcp ? DhcpMode::On : DhcpMode::Off));
    return object.set("outcome", outcomeWord(c.outcome));
}

SettingsRun::SettingsRun(CameraLink& link, std::vector<Change>& changes, const Credentials& credentials,
                         const SendLimits& limits, Journal& journal, SendEvents events, std::function<bool()> stop)
    : link_(link),
      changes_(changes),
      credentials_(credentials),
      limits_(limits),
      journal_(journal),
      events_(std::move(events)),
      stop_(std::move(stop)) {}

void SettingsRun::run() {
    for (size_t i = 0; i < changes_.size(); ++i)
        if (changes_[i].outcome == Outcome::Pending) queue_.push_back(i);
    link_.drop();
    for (;;) {
        if (stop_()) {
            interrupt();
            break;
        }
        fill(link_.now());
        if (inFlight_.empty()) break;
        link_.searchOften();
        SearchEvent event;
        if (link_.next(link_.now() + 100, &event)) take(event, link_.now());
        expire(link_.now());
    }
    for (Change& c : changes_)
        if (c.outcome == Outcome::Pending) c.outcome = Outcome::NotSent;
}

void SettingsRun::notice(RunNotice what, int64_t count) {
    if (events_.notice) events_.notice(what, count);
}

// Ready once every change that holds its new address now has left it;
// `never` when one of them ended without leaving.
bool SettingsRun::ready(size_t i, bool* never) const {
    for (size_t j : changes_[i].after) {
        const Outcome o = changes_[j].outcome;
        if (o == Outcome::Confirmed || o == Outcome::SentNotConfirmed) continue;
        if (o != Outcome::Pending) *never = true;
        return false;
    }
    return true;
}

void SettingsRun::fill(uint32_t now) {
    if (stopped_) return;
    if (!alone_.empty()) {
        if (inFlight_.empty()) send(alone_.front(), now), alone_.pop_front();
        return;
    }
    // One at a time until a camera has shown that the password is right.
    const size_t room = anyConfirmed_ ? limits_.jobs : 1;
    for (auto it = queue_.begin(); it != queue_.end() && inFlight_.size() < room;) {
        bool never = false;
        if (ready(*it, &never)) {
            send(*it, now);
            it = queue_.erase(it);
        } else if (never) {
            Change& c = changes_[*it];
            if (events_.notSent) events_.notSent(rowIssue(c.row, PlanProblem::NotLeft, c.wanted.ip));
            c.outcome = Outcome::NotSent;
            it = queue_.erase(it);
        } else {
            ++it;
        }
    }
}

void SettingsRun::send(size_t i, uint32_t now) {
    Change& c = changes_[i];
    // Before the request, so that a crash or a second Ctrl-C still leaves
    // a trace of what may have changed.
    journal_.attempt(journalEntry(c));
    CameraRequest request = requestTo(c.wanted);
    request.credentials = credentials_;
    if (c.row.dhcp) request.network.ip = request.network.mask = request.network.gateway = request.network.dns = 0;
    const bool posted = link_.sendSettings(request);
    wipe(&request, sizeof request);
    inFlight_.push_back({i, now, false});
    if (!posted) return finish(inFlight_.size() - 1, Outcome::Failed);
    if (events_.sent) events_.sent(c);
}

void SettingsRun::take(const SearchEvent& event, uint32_t now) {
    if (event.code == kScanSocketFailure) {
        while (!inFlight_.empty()) finish(0, Outcome::Failed);
        stopped_ = true;
        return;
    }
    if (isRefusalCode(event.code)) return refused(event.sender, now);
    if (!event.camera) return;
    for (size_t at = 0; at < inFlight_.size(); ++at) {
        const InFlight& f = inFlight_[at];
        const Change& c = changes_[f.change];
        if (!sameText(event.camera->deviceId, c.current.deviceId)) continue;
        // A DHCP request can only be refused: an answer well after it,
        // with no refusal that may be its own, is all there is to see.
        if (c.row.dhcp && !f.suspect && now - f.sentAt >= kResultWindowMs) return finish(at, Outcome::SentNotConfirmed);
        if (!c.row.dhcp && showsSettings(*event.camera, c.wanted)) {
            changes_[f.change].answer = *event.camera;
            return finish(at, Outcome::Confirmed);
        }
        return;
    }
}

// A camera may take seconds to refuse: a refusal is from a request sent to
// its sender within the kResultWindowMs that the worker believes it.
void SettingsRun::refused(uint32_t sender, uint32_t now) {
    std::vector<size_t> from;
    for (size_t at = 0; at < inFlight_.size(); ++at) {
        const InFlight& f = inFlight_[at];
        if (now - f.sentAt <= kResultWindowMs && (sender == 0 || changes_[f.change].current.sender == sender))
            from.push_back(at);
    }
    if (from.size() == 1) return finish(from[0], Outcome::Refused);
    for (size_t at : from) inFlight_[at].suspect = true;
    if (from.empty()) return;
    notice(RunNotice::RefusalUnpinned, static_cast<int64_t>(from.size()));
    ++unpinnedCredit_;
    countFailure(Outcome::Refused);
}

void SettingsRun::expire(uint32_t now) {
    for (size_t at = 0; at < inFlight_.size();) {
        const InFlight f = inFlight_[at];
        if (now - f.sentAt < limits_.waitMs) {
            ++at;
            continue;
        }
        if (f.suspect && !stopped_) {
            alone_.push_back(f.change);
            inFlight_.erase(inFlight_.begin() + static_cast<std::ptrdiff_t>(at));
            continue;
        }
        finish(at, changes_[f.change].row.dhcp ? Outcome::SentNotConfirmed : Outcome::NotConfirmed);
    }
}

void SettingsRun::finish(size_t at, Outcome outcome) {
    Change& c = changes_[inFlight_[at].change];
    inFlight_.erase(inFlight_.begin() + static_cast<std::ptrdiff_t>(at));
    c.outcome = outcome;
    // A DHCP request that was not refused shows the password as well as a
    // confirmation does.
    if (outcome == Outcome::Confirmed || (outcome == Outcome::SentNotConfirmed && c.row.dhcp)) anyConfirmed_ = true;
    journal_.outcome(journalEntry(c), outcomeWord(outcome));
    if (events_.ended) events_.ended(c);
    if (outcome == Outcome::Refused && unpinnedCredit_ > 0) --unpinnedCredit_;  // counted when it came
    else if (outcome == Outcome::Refused || outcome == Outcome::NotConfirmed || outcome == Outcome::Failed)
        countFailure(outcome);
}

void SettingsRun::countFailure(Outcome outcome) {
    if (limits_.maxFailures < 0) {
        if (outcome != Outcome::Refused || stopped_) return;
        stopped_ = true;
        return notice(RunNotice::StoppedAtRefusal);
    }
    if (++failures_ <= limits_.maxFailures || stopped_) return;
    stopped_ = true;
    notice(RunNotice::StoppedAfterFailures, failures_);
}

// The first signal: nothing more goes out, and what is out is reported as
// it stands. A second one ends the program at once; the journal already
// holds an attempt line for every request that went.
void SettingsRun::interrupt() {
    notice(RunNotice::Interrupted);
    while (!inFlight_.empty()) finish(0, Outcome::Interrupted);
}

}  // namespace lenscout
