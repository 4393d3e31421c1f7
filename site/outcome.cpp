#include "site/outcome.h"

#include <algorithm>
#include <iterator>

#include "site/exit_status.h"

namespace lenscout {

namespace {

struct OutcomeEntry {
    Outcome outcome;
    const char* word;
    int status;
};

constexpr OutcomeEntry kOutcomes[] = {
    {Outcome::Pending, "pending", kExitFailed},
    {Outcome::Unchanged, "unchanged", kExitOk},
    {Outcome::WouldChange, "would-change", kExitOk},
    {Outcome::Confirmed, "confirmed", kExitOk},
    {Outcome::SentNotConfirmed, "sent-not-confirmed", kExitUnconfirmed},
    {Outcome::NotConfirmed, "not-confirmed", kExitTimeout},
    {Outcome::Refused, "refused", kExitRefused},
    {Outcome::Failed, "failed", kExitFailed},
    {Outcome::IdConflict, "id-conflict", kExitConflict},
    {Outcome::Invalid, "invalid", kExitInvalid},
    {Outcome::NotFound, "not-found", kExitNotFound},
    // The failure or interruption that stopped the run gives the status.
    {Outcome::NotSent, "not-sent", kExitOk},
    {Outcome::Interrupted, "interrupted", kExitInterrupted},
};

const OutcomeEntry& entry(Outcome outcome) {
    for (const OutcomeEntry& e : kOutcomes)
        if (e.outcome == outcome) return e;
    return kOutcomes[0];
}

// From the best to the worst.
constexpr int kStatusRank[] = {kExitOk,       kExitUnconfirmed, kExitTimeout, kExitNotFound, kExitRefused,
                               kExitConflict, kExitInvalid,     kExitFailed,  kExitUsage,    kExitInterrupted};

}  // namespace

const char* outcomeWord(Outcome outcome) { return entry(outcome).word; }
int exitStatusOf(Outcome outcome) { return entry(outcome).status; }

int worseStatus(int a, int b) {
    const auto rank = [](int s) { return std::find(std::begin(kStatusRank), std::end(kStatusRank), s); };
    return rank(b) > rank(a) ? b : a;
}

}  // namespace lenscout
