#pragma once
// lenscout-cli set-network: one camera's address, mask, gateway, DNS and
// HTTP port, confirmed by the camera's own answer.
#include "cli/command_line.h"

namespace lenscout {

Subcommand addSetNetworkCommand(CLI::App& cli);

}  // namespace lenscout
