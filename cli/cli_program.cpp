// lenscout-cli's opening: the line parsed into one of its commands.
#include "cli/programs.h"

#include <cstdio>
#include <cstring>

#include "cli/subcommands.h"
#include "lenscout_facts.h"
#include "platform/socket.h"
#include "platform/terminal.h"
#include "site/exit_status.h"

namespace lenscout {

int runCli(int argc, char** argv) {
    followUserLocale();
    ignoreBrokenPipes();
    handleInterrupts();
    CLI::App cli("Finds the IP cameras on every network interface, sets their network and uploads firmware to them.",
                 LENSCOUT_CLI_PROGRAM);
    cli.set_version_flag("--version", LENSCOUT_CLI_PROGRAM " " LENSCOUT_VERSION);
    cli.require_subcommand(1);
    std::vector<Subcommand> commands;
    for (AddSubcommand add : kSubcommands) commands.push_back(add(cli));
    cli.footer(
        "Each command takes --help. The password is never an argument: it comes from --password-file, "
        "LENSCOUT_PASSWORD, or a prompt on the terminal.\n\n" +
        exitStatusFooter());
    // "lenscout-cli help" is the same as --help.
    char help[] = "--help";
    if (argc == 2 && std::strcmp(argv[1], "help") == 0) argv[1] = help;
    const int status = parseCommandLine(cli, argc, argv);
    if (status >= 0) return status;
    if (!startSocketLayer()) {
        std::fprintf(stderr, LENSCOUT_CLI_PROGRAM ": no sockets to be had\n");
        return kExitFailed;
    }
    for (const Subcommand& c : commands)
        if (c.command->parsed()) return finishOutput(LENSCOUT_CLI_PROGRAM, c.run());
    return kExitUsage;
}

}  // namespace lenscout
