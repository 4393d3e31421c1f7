#pragma once
#include "cli/command_line.h"

namespace lenscout {

// lenscout-cli provision PLAN.csv: the network settings of many cameras,
// checked, then sent and confirmed.
Subcommand addProvisionCommand(CLI::App& cli);

}  // namespace lenscout
