#pragma once
// A provisioning plan over the cameras that answered: each row's wanted
// settings, and the judgement of the whole site once the plan is done,
// whatever the order of the rows.
#include <string>
#include <vector>

#include "discovery/camera_info.h"
#include "platform/interface_table.h"
#include "site/outcome.h"
#include "site/plan_csv.h"
#include "site/plan_issue.h"

namespace lenscout {

// One camera of the plan: what it has, what it is to have, what became of
// it, and the cameras that must leave its new address before it can go.
struct Change {
    PlanRow row;
    CameraInfo current{};
    CameraInfo wanted{};
    Outcome outcome = Outcome::Pending;
    CameraInfo answer{};        // the reply that confirmed it
    std::vector<size_t> after;  // indexes into the run's changes
};

// The checks a row passes on its own, before any search: each address and
// the port as the dialog judges them, and the whole row where it is whole.
void checkCells(const PlanRow& row, std::vector<PlanIssue>* errors);
// A plan's file read, parsed and each row checked on its own: the file's
// faults in `errors`, the rows' in `issues`. False when it cannot be read.
bool loadPlan(const std::string& path, std::vector<PlanRow>* rows, std::vector<std::string>* errors,
              std::vector<PlanIssue>* issues);

// The row over the camera's current settings; false with the problem. A
// fixed address must be a host's: not its network's own, its broadcast,
// its gateway or its DNS server.
bool planChange(Change& change, std::vector<PlanIssue>* errors);

// What the site would look like once the run is done. Every camera that
// answered holds the address its row gives it, or keeps its own; a row for
// DHCP gives up its address. Errors: two devices at one address where the
// run moves one there, and an address of this computer. Warnings: an
// address that several cameras keep sharing, which a site provisioned in
// parts may well have for a while.
// With `allowShared`, a move onto an address that others keep is a warning.
void judgeEndState(const std::vector<Change>& changes, const std::vector<CameraInfo>& everyone,
                   const std::vector<Ipv4Interface>& own, std::vector<PlanIssue>* errors,
                   std::vector<PlanIssue>* warnings, bool allowShared = false);

// Fills each change's `after`: the changes that hold its new address now
// and leave it. A change goes only once those are done, so that no two
// cameras share an address on the way. Cameras that would trade addresses
// (a cycle) cannot be ordered so: each such row is an error.
void orderMoves(std::vector<Change>& changes, std::vector<PlanIssue>* errors);

// An issue about a change's row.
PlanIssue rowIssue(const PlanRow& row, PlanProblem problem, uint32_t address = 0);

}  // namespace lenscout
