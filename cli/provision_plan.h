#pragma once
// A provisioning plan over the cameras that answered: each row's wanted
// settings, and the judgement of the whole site once the plan is done,
// whatever the order of the rows.
#include <string>
#include <vector>

#include "cli/outcome.h"
#include "cli/plan_csv.h"
#include "discovery/camera_info.h"
#include "platform/interface_table.h"

namespace lenscout {

// One camera of the plan: what it has, what it is to have, what became of
// it, and the cameras that must leave its new address before it can go.
struct Change {
    PlanRow row;
    CameraInfo current{};
    CameraInfo wanted{};
    Outcome outcome = Outcome::Pending;
    std::vector<size_t> after;  // indexes into the run's changes
};

// "line N: ID: ", the start of every message about a row.
std::string where(const PlanRow& row);

// The checks a row passes on its own, before any search: each address and
// the port as the dialog judges them, and the whole row where it is whole.
void checkCells(const PlanRow& row, std::vector<std::string>* errors);
// The row over the camera's current settings; false with the message.
bool planChange(Change& change, std::vector<std::string>* errors);

// What the site would look like once the run is done. Every camera that
// answered holds the address its row gives it, or keeps its own; a row for
// DHCP gives up its address. Errors: two devices at one address where the
// run moves one there, and an address of this computer. Warnings: an
// address that several cameras keep sharing, which a site provisioned in
// parts may well have for a while.
void judgeEndState(const std::vector<Change>& changes, const std::vector<CameraInfo>& everyone,
                   const std::vector<Ipv4Interface>& own, std::vector<std::string>* errors,
                   std::vector<std::string>* warnings);

// Fills each change's `after`: the changes that hold its new address now
// and leave it. A change goes only once those are done, so that no two
// cameras share an address on the way. Cameras that would trade addresses
// (a cycle) cannot be ordered so: each such row is an error.
void orderMoves(std::vector<Change>& changes, std::vector<std::string>* errors);

}  // namespace lenscout
