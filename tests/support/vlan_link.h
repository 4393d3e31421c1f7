#pragma once
// Pulls and puts back the computer's links inside the virtual LAN, through
// the command that tools/vlan provides for it.
#include <string>

namespace lenscout::test {

// action: "pull", "plug" or "route"; link: a link number, or "none" for route.
bool changeLink(const std::string& action, const std::string& link);

}  // namespace lenscout::test
