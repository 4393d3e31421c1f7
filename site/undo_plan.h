#pragma once
// The plan that puts back what a run changed, from the journal: each camera
// the run may have changed, with the settings it showed before.
#include <string>
#include <vector>

#include "site/json_value.h"

namespace lenscout {

// Every line of the journal at `path` that reads as JSON; `unreadable`
// counts the others. False when the file cannot be read.
bool readJournalLines(const std::string& path, std::vector<Json>* lines, size_t* unreadable);

struct UndoRow {
    std::string id;  // UTF-8
    Json old;        // the settings before the run
};

// The cameras run `run` may have changed: any outcome but a refusal, a
// failure, unchanged or not sent, or an attempt with no outcome after it
// (the run was killed). In the order first attempted.
std::vector<UndoRow> undoRows(const std::vector<Json>& lines, const std::string& run);

// An address that several of the rows held before the run (a factory site
// moved off its one address): one plan cannot put them back together, as a
// plan never moves two cameras onto one address. "" when there is none.
std::string sharedOldAddress(const std::vector<UndoRow>& rows, size_t* count);

// The plan of `rows` as CSV: id, ip, mask, gateway, dns, http_port.
std::string undoCsv(const std::vector<UndoRow>& rows);
// A plan of one row per camera in `dir`, named after the run, its place
// and the ID, to be applied one after the other; `paths` in that order.
// False when one cannot be written.
bool writeUndoPlans(const std::vector<UndoRow>& rows, const std::string& run, const std::string& dir,
                    std::vector<std::string>* paths);

}  // namespace lenscout
