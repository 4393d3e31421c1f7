#include "site/site_judge.h"

#include <algorithm>

#include "discovery/camera_text.h"
#include "discovery/discovery_messages.h"
#include "platform/socket.h"
#include "platform/text_codecs.h"
#include "site/camera_search.h"
#include "site/exit_status.h"

namespace lenscout {

namespace {

bool inScope(const PlanScope& scope, const PlanRow& r) {
    return scope.only.empty() || std::find(scope.only.begin(), scope.only.end(), r.id) != scope.only.end();
}

// A row that cannot go: its outcome, and the plan's refusal.
void refuse(Change& c, Outcome outcome, JudgedPlan* plan) {
    c.outcome = outcome;
    plan->status = worseStatus(plan->status, exitStatusOf(outcome));
}

// The row over the camera that answered with its ID; a row that cannot go
// carries its outcome, with the issue among the plan's errors.
Change changeFor(const PlanRow& r, const std::vector<CameraInfo>& everyone, const PlanScope& scope, JudgedPlan* plan) {
    Change c;
    c.row = r;
    const CameraInfo* it = findCamera(everyone, utf8ToGbk(r.id));
    if (!it) {
        // Left out, it keeps the address planned for it.
        c.outcome = Outcome::NotFound;
        if (r.ip && !r.dhcp) parseIpv4(r.ip->c_str(), &c.wanted.ip);
        if (!scope.skipMissing) plan->errors.push_back(rowIssue(r, PlanProblem::NotFound)), refuse(c, c.outcome, plan);
        return c;
    }
    c.current = *it;
    if (it->conflict) {
        PlanIssue issue = rowIssue(r, PlanProblem::IdConflict, it->sender);
        issue.other = it->conflictSender;
        plan->errors.push_back(issue);
        refuse(c, Outcome::IdConflict, plan);
    } else if (!planChange(c, &plan->errors)) {
        refuse(c, Outcome::Invalid, plan);
    } else if (!c.row.dhcp && showsSettings(c.current, c.wanted)) {
        c.outcome = Outcome::Unchanged;
    }
    return c;
}

// The first N that need a change; the rest stay as they are, and the site
// is judged so.
void keepFirst(std::vector<Change>& changes, uint64_t limit) {
    if (!limit) return;
    uint64_t taken = 0;
    changes.erase(std::remove_if(changes.begin(), changes.end(),
                                 [&](const Change& c) { return c.outcome == Outcome::Pending && ++taken > limit; }),
                  changes.end());
}

}  // namespace

JudgedPlan judgePlan(const std::vector<PlanRow>& rows, const std::vector<CameraInfo>& everyone,
                     const std::vector<Ipv4Interface>& own, const PlanScope& scope) {
    JudgedPlan plan;
    for (const PlanRow& r : rows)
        if (inScope(scope, r)) plan.changes.push_back(changeFor(r, everyone, scope, &plan));
    if (!plan.errors.empty()) return plan;
    keepFirst(plan.changes, scope.limit);
    judgeEndState(plan.changes, everyone, own, &plan.errors, &plan.warnings, scope.allowShared);
    if (plan.errors.empty()) orderMoves(plan.changes, &plan.errors);
    if (!plan.errors.empty()) plan.status = worseStatus(plan.status, kExitInvalid);
    return plan;
}

void markNotSent(std::vector<Change>& changes) {
    for (Change& c : changes)
        if (c.outcome == Outcome::Pending) c.outcome = Outcome::NotSent;
}

int exitStatusOf(const std::vector<Change>& changes) {
    int status = kExitOk;
    for (const Change& c : changes) status = worseStatus(status, exitStatusOf(c.outcome));
    return status;
}

}  // namespace lenscout
