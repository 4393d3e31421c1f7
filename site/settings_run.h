#pragma once
// Sends a plan's network settings to its cameras and follows each one to
// its outcome: a window of requests in flight, a search every
// kMinSearchGapMs while answers are awaited, and each camera done when it
// answers with its planned settings.
//
// The first request goes alone, and the window opens only once a camera
// has confirmed: a wrong password reaches one camera however late the
// cameras refuse. A refusal carries no camera ID; it is pinned on the only
// request sent to its sender within kResultWindowMs, else the cameras it may
// be from are tried again alone. A refused login stops the run unless
// `maxFailures` allows more.
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "site/camera_link.h"
#include "site/journal.h"
#include "site/site_plan.h"

namespace lenscout {

struct SendLimits {
    size_t jobs = 1;           // requests in flight at most, once the window is open
    uint32_t waitMs = 30000;   // for each camera's answer with its settings
    int64_t maxFailures = -1;  // -1: stop at the first refusal; else go on while failures <= this
};

// What a run has to say beside each camera's outcome.
enum class RunNotice {
    RefusalUnpinned,  // `count` requests went to the refusing address: each is tried again alone
    StoppedAtRefusal,
    StoppedAfterFailures,  // `count` failures, over maxFailures
    Interrupted,
};

// What a run says as it goes: a request sent, a change ended, a notice.
struct SendEvents {
    std::function<void(const Change&)> sent;
    std::function<void(const Change&)> ended;
    std::function<void(RunNotice, int64_t count)> notice;
    std::function<void(const PlanIssue&)> notSent;  // a row that can no longer go
};

class SettingsRun {
public:
    // `stop` is asked between steps: once it says so, nothing more is sent
    // and what is out ends Interrupted.
    SettingsRun(
        CameraLink& link, std::vector<Change>& changes, const Credentials& credentials, const SendLimits& limits,
        Journal& journal, SendEvents events, std::function<bool()> stop = [] { return false; });
    // Until every pending change has ended. A change that is never sent,
    // after a stop or an interruption, ends NotSent.
    void run();
    // A refusal came that could not be pinned on one camera, and the run
    // stopped before it could be.
    bool unpinnedRefusal() const { return unpinnedCredit_ > 0; }

private:
    struct InFlight {
        size_t change;
        uint32_t sentAt;
        bool suspect;  // a refusal came that may be its own
    };

    void fill(uint32_t now);
    bool ready(size_t i, bool* never) const;
    void send(size_t i, uint32_t now);
    void take(const SearchEvent& event, uint32_t now);
    void refused(uint32_t sender, uint32_t now);
    void expire(uint32_t now);
    void finish(size_t at, Outcome outcome);
    void countFailure(Outcome outcome);
    void interrupt();
    void notice(RunNotice what, int64_t count = 0);

    CameraLink& link_;
    std::vector<Change>& changes_;
    const Credentials& credentials_;
    SendLimits limits_;
    Journal& journal_;
    SendEvents events_;
    std::function<bool()> stop_;
    std::deque<size_t> queue_, alone_;
    std::vector<InFlight> inFlight_;
    bool anyConfirmed_ = false;
    bool stopped_ = false;
    int64_t failures_ = 0;
    int64_t unpinnedCredit_ = 0;  // refusals counted before their camera was known
};

// The journal's entry for a change.
JournalEntry journalEntry(const Change& change);
// A change as JSON: id, line, current (null when the camera did not
// answer), planned, outcome.
Json changeJson(const Change& change);

}  // namespace lenscout
