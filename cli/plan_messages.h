#pragma once
// A plan's problems and warnings in the command line's words.
#include <string>

#include "site/plan_issue.h"

namespace lenscout {

// "line N: ID: what is wrong", or the site-wide text of a warning.
std::string planIssueText(const PlanIssue& issue);
// What is wrong, without the line and the ID.
std::string planProblemText(const PlanIssue& issue);

}  // namespace lenscout
