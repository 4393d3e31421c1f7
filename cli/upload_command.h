#pragma once
// lenscout-cli upload: one checked image to any number of cameras.
#include "cli/command_line.h"

namespace lenscout {

Subcommand addUploadCommand(CLI::App& cli);

}  // namespace lenscout
