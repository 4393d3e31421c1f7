#pragma once
// Sends a provisioning plan's requests: a window of them in flight, a search
// every kMinSearchGapMs while answers are awaited, and each camera done when
// it answers with its planned settings.
//
// The first request goes alone. A wrong password is refused at once, so
// the window opens only once that camera has confirmed or kProbeMs have
// passed without a refusal: a mistyped password reaches one camera, not
// the whole window. Refusals carry no camera ID; one is pinned on the only
// request just sent to its sender, else the cameras it may be from are tried
// again alone.
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "cli/camera_search.h"
#include "cli/journal.h"
#include "cli/provision_plan.h"

namespace lenscout {

constexpr uint32_t kProbeMs = 1000;

struct SendLimits {
    size_t jobs = 1;           // requests in flight at most
    uint32_t waitMs = 30000;   // for each camera's answer with its settings
    int64_t maxFailures = -1;  // -1: stop at the first refusal; else go on while failures <= this
};

// What a run says as it goes: a request sent, a change ended.
struct SendEvents {
    std::function<void(const Change&)> sent;
    std::function<void(const Change&)> ended;
};

class ProvisionSender {
public:
    ProvisionSender(CameraSearch& search, std::vector<Change>& changes, const CameraInfo& credentials,
                    const SendLimits& limits, Journal& journal, SendEvents events);
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
    bool windowOpen(uint32_t now) const;

    CameraSearch& search_;
    std::vector<Change>& changes_;
    const CameraInfo& credentials_;
    SendLimits limits_;
    Journal& journal_;
    SendEvents events_;
    std::deque<size_t> queue_, alone_;
    std::vector<InFlight> inFlight_;
    uint32_t firstSentAt_ = 0;
    bool anySent_ = false, anyRefused_ = false, anyConfirmed_ = false;
    bool stopped_ = false;
    int64_t failures_ = 0;
    int64_t unpinnedCredit_ = 0;  // refusals counted before their camera was known
};

// The journal's entry for a change.
JournalEntry journalEntry(const Change& change);

}  // namespace lenscout
