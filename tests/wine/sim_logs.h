#pragma once
// The logs of the simulators that tools/vlan started on its camera hosts
// ($LENSCOUT_CAMSIM_LOG_K), read by a test that cannot start them itself.
#include <string>
#include <vector>

namespace lenscout::test {

std::vector<std::string> simLog(int host);
// The lines of host's log that hold every one of `parts`.
std::vector<std::string> simLines(int host, const std::vector<std::string>& parts);
// Every line in which a simulator found the wire layout broken.
std::vector<std::string> simViolations(int hosts);

}  // namespace lenscout::test
