#pragma once
// What became of one camera's network settings in set-network and
// provision: its word in the report, the journal and JSON, and its exit
// status.
namespace lenscout {

enum class Outcome {
    Pending,
    Unchanged,
    WouldChange,  // a dry run's
    Confirmed,
    SentNotConfirmed,
    NotConfirmed,
    Refused,
    Failed,
    IdConflict,   // two devices answer with the ID: nothing went to either
    Invalid,      // a setting the dialog would refuse: nothing was sent
    NotFound,     // did not answer the search: skipped, its planned address kept for it
    NotSent,      // the run stopped, after failures or an interruption, before its turn
    Interrupted,  // sent, and the run was interrupted before the answer
};

const char* outcomeWord(Outcome outcome);
int exitStatusOf(Outcome outcome);

// The worse of two exit statuses, by the one ranking of every command: an
// interruption, a failure, a refusal, a camera not found, one that did not
// confirm, one whose DHCP cannot be seen, success.
int worseStatus(int a, int b);

}  // namespace lenscout
