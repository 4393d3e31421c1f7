#pragma once
// A plan over the cameras that answered, judged whole before anything is
// sent: each row's change, the cameras left out, the site as the run would
// leave it, and the order of the moves.
#include <cstdint>
#include <string>
#include <vector>

#include "discovery/camera_info.h"
#include "platform/interface_table.h"
#include "site/plan_csv.h"
#include "site/site_plan.h"

namespace lenscout {

// What keeps a run to part of its plan.
struct PlanScope {
    std::vector<std::string> only;  // the rows of these IDs (UTF-8) alone; empty: every row
    uint64_t limit = 0;             // the first N rows that need a change; 0: all
    bool skipMissing = false;       // a camera that did not answer is NotFound, not a refusal
    bool allowShared = false;       // a camera may join an address other devices keep (the undo of a factory site)
};

struct JudgedPlan {
    // Ready to run when `errors` is empty; a row that cannot go carries its
    // outcome (not-found, id-conflict, invalid).
    std::vector<Change> changes;
    std::vector<PlanIssue> errors, warnings;
    int status = 0;  // the exit status of a refusal: a camera missing, an ID in conflict, else an illegal value
};

JudgedPlan judgePlan(const std::vector<PlanRow>& rows, const std::vector<CameraInfo>& everyone,
                     const std::vector<Ipv4Interface>& own, const PlanScope& scope);

// A refused plan's rows that could have gone: not sent.
void markNotSent(std::vector<Change>& changes);
// The worst of the changes' exit statuses.
int exitStatusOf(const std::vector<Change>& changes);

}  // namespace lenscout
