// lenscout-cli: the cameras of the local network from a shell or a script.
#include <cstdio>
#include <cstring>
#include <string>

#include "lenscout_version.h"
#include "platform/socket.h"
#include "platform/terminal.h"
#include "tools/cli/exit_status.h"
#include "tools/cli/set_network_command.h"
#include "tools/cli/upload_command.h"
#include "tools/scan/scan_command.h"

namespace {

const char kUsage[] =
    "usage: lenscout-cli [--help | --version] COMMAND [OPTIONS]\n"
    "Finds the IP cameras on every network interface, sets their network and\n"
    "uploads firmware to them.\n"
    "Commands:\n"
    "  scan         list the cameras that answer a search\n"
    "  set-network  change one camera's address, mask, gateway, DNS and HTTP port\n"
    "  upload       upload a system firmware or web interface image to cameras\n"
    "Each command takes --help. The password is never an argument: it comes\n"
    "from --password-file, LENSCOUT_PASSWORD, or a prompt on the terminal.\n"
    "Exit status: 0 success, 1 failure, 2 usage, 3 illegal value, 4 camera not\n"
    "found, 5 user or password refused, 6 no confirmation in time.\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace lenscout;
    followUserLocale();
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "--version") {
        std::printf("lenscout-cli %s\n", LENSCOUT_VERSION);
        return kExitOk;
    }
    if (command == "--help" || command == "help") {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    if (!startSocketLayer()) {
        std::fprintf(stderr, "lenscout-cli: no sockets to be had\n");
        return kExitFailed;
    }
    if (command == "scan") return runScan(argc - 1, argv + 1, "lenscout-cli scan");
    if (command == "set-network") return runSetNetwork(argc - 1, argv + 1);
    if (command == "upload") return runUpload(argc - 1, argv + 1);
    if (!command.empty()) std::fprintf(stderr, "lenscout-cli: unknown command '%s'\n", command.c_str());
    std::fputs(kUsage, stderr);
    return kExitUsage;
}
