#pragma once
// lenscout-cli doctor: what one search sees, and why a list may be empty.
#include "cli/command_line.h"

namespace lenscout {

Subcommand addDoctorCommand(CLI::App& cli);

}  // namespace lenscout
