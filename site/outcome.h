#pragma once
// What became of one camera: of its network settings in set-network and
// provision, or of its upload. Each has its word in the report, the journal
// and JSON, its exit status, a failure's code and its row of the string
// table, in one shape for every program.
namespace lenscout {

// word: what scripts compare; status: the exit status; reason: a failure's
// code, nullptr for none; textRow: the string table's row, -1 for none.
struct CameraOutcome {
    const char* word;
    int status;
    const char* reason;
    int textRow;
};

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

CameraOutcome outcomeOf(Outcome outcome);
const char* outcomeWord(Outcome outcome);
int exitStatusOf(Outcome outcome);

// The worse of two exit statuses, by the one ranking of every command: an
// interruption, a failure, a refusal, a camera not found, one that did not
// confirm, one whose DHCP cannot be seen, success.
int worseStatus(int a, int b);

}  // namespace lenscout
