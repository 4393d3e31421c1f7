#include "cli/plan_messages.h"

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "ui/failure_texts.h"

namespace lenscout {

namespace {

const char* roleName(AddressRole role) {
    switch (role) {
    case AddressRole::Network: return "the network's own address";
    case AddressRole::Broadcast: return "the network's broadcast address";
    case AddressRole::Gateway: return "its gateway's address";
    case AddressRole::Dns: return "its DNS server's address";
    }
    return "";
}

}  // namespace

std::string planProblemText(const PlanIssue& i) {
    const std::string at = dottedQuad(i.address);
    switch (i.problem) {
    case PlanProblem::BadSetting: return CurrentText(textRow(i.setting));
    case PlanProblem::NotGbk: return "has a character that GBK cannot hold, which no camera could take";
    case PlanProblem::NotFound: return "did not answer the search (--skip-missing provisions the others)";
    case PlanProblem::IdConflict:
        return std::string(CurrentText(kTextIdConflict)) + " (" + at + ", " + dottedQuad(i.other) + ")";
    case PlanProblem::OwnAddress: return at + " is this computer's address";
    case PlanProblem::NotHost: return at + " is " + roleName(i.role) + ", which no camera can hold";
    case PlanProblem::SharedAddress:
        return at + " would be held by " + std::to_string(i.count) + " devices once the plan is done: " + i.names;
    case PlanProblem::Ring:
        return "its new address " + at +
               " is held by a camera that the plan moves in a ring back to this one's (a swap): no order keeps two "
               "cameras off one address on the way. Move one of them to a free address in a plan of its own first";
    case PlanProblem::NotLeft: return "not sent: the camera at " + at + " did not leave it";
    case PlanProblem::StillShared:
        return at + " is still shared by " + std::to_string(i.count) + " cameras once the plan is done: " + i.names;
    }
    return "";
}

std::string planIssueText(const PlanIssue& issue) {
    if (issue.line == 0) return planProblemText(issue);
    return "line " + std::to_string(issue.line) + ": " + issue.id + ": " + planProblemText(issue);
}

}  // namespace lenscout
