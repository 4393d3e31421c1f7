#pragma once
#include "cli/command_line.h"

namespace lenscout {

// lenscout-cli inventory: every camera that answers, as CSV or JSON.
Subcommand addInventoryCommand(CLI::App& cli);

}  // namespace lenscout
