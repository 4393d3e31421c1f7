#pragma once
// Every command of lenscout-cli, in the order of its help. A new command is
// its file in cli/ and its line here.
#include <vector>

#include "cli/command_line.h"

namespace lenscout {

Subcommand addScanCommand(CLI::App& cli);
Subcommand addSetNetworkCommand(CLI::App& cli);
Subcommand addUploadCommand(CLI::App& cli);
Subcommand addDoctorCommand(CLI::App& cli);
Subcommand addInventoryCommand(CLI::App& cli);
Subcommand addProvisionCommand(CLI::App& cli);
Subcommand addJournalCommand(CLI::App& cli);

using AddSubcommand = Subcommand (*)(CLI::App& cli);
inline const std::vector<AddSubcommand> kSubcommands = {addScanCommand,   addSetNetworkCommand, addUploadCommand,
                                                        addDoctorCommand, addInventoryCommand,  addProvisionCommand,
                                                        addJournalCommand};

}  // namespace lenscout
