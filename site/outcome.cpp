#include "site/outcome.h"

#include <algorithm>
#include <iterator>

#include "app/string_table.h"
#include "site/exit_status.h"

namespace lenscout {

namespace {

struct OutcomeEntry {
    Outcome outcome;
    const char* word;
    int status;
    int textRow;
};

constexpr OutcomeEntry kOutcomes[] = {
    {Outcome::Pending, "pending", kExitFailed, -1},
    {Outcome::Unchanged, "unchanged", kExitOk, -1},
    {Outcome::WouldChange, "would-change", kExitOk, -1},
    {Outcome::Confirmed, "confirmed", kExitOk, -1},
    {Outcome::SentNotConfirmed, "sent-not-confirmed", kExitUnconfirmed, -1},
    {Outcome::NotConfirmed, "not-confirmed", kExitTimeout, kTextTimeOut},
    {Outcome::Refused, "refused", kExitRefused, kTextIncorrectCredentials},
    {Outcome::Failed, "failed", kExitFailed, kTextThreadError},
    {Outcome::IdConflict, "id-conflict", kExitConflict, kTextIdConflict},
    {Outcome::Invalid, "invalid", kExitInvalid, -1},
    {Outcome::NotFound, "not-found", kExitNotFound, -1},
    // The failure or interruption that stopped the run gives the status.
    {Outcome::NotSent, "not-sent", kExitOk, -1},
    {Outcome::Interrupted, "interrupted", kExitInterrupted, -1},
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

CameraOutcome outcomeOf(Outcome outcome) {
    const OutcomeEntry& e = entry(outcome);
    return {e.word, e.status, e.status == kExitOk ? nullptr : e.word, e.textRow};
}

const char* outcomeWord(Outcome outcome) { return entry(outcome).word; }
int exitStatusOf(Outcome outcome) { return entry(outcome).status; }

int worseStatus(int a, int b) {
    const auto rank = [](int s) { return std::find(std::begin(kStatusRank), std::end(kStatusRank), s); };
    return rank(b) > rank(a) ? b : a;
}

}  // namespace lenscout
