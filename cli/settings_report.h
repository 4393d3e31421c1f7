#pragma once
// What set-network and provision print of a run of network settings: each
// change's line or JSON object, and progress as lines or JSON events.
#include <vector>

#include "site/json_value.h"
#include "site/settings_run.h"
#include "site/site_judge.h"

namespace lenscout {

// id, line, current, planned, outcome, and the problems of a refused row.
Json changeObject(const Change& change, const std::vector<PlanIssue>& problems = {});
// "ID  current -> planned  outcome", a line a change.
void printChanges(const std::vector<Change>& changes);
// The changes as one JSON array, with the problems of each row.
void printChangesJson(const std::vector<Change>& changes, const std::vector<PlanIssue>& problems);

// Says what is wrong with the plan and that nothing was sent.
void sayRefused(const std::string& plan, const JudgedPlan& judged);

// Progress on standard error: a line per request and per outcome, or the
// same as JSON events.
SendEvents progressEvents(bool json);

}  // namespace lenscout
