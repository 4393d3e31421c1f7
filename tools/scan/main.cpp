// lenscout-scan: runs the discovery worker for a while and prints what it
// hands over, for scripts and tests. Run it only inside the virtual LAN.
#include <cstdio>

#include "platform/socket.h"
#include "platform/terminal.h"
#include "tools/scan/scan_command.h"

int main(int argc, char** argv) {
    lenscout::followUserLocale();
    if (!lenscout::startSocketLayer()) {
        std::fprintf(stderr, "lenscout-scan: no sockets to be had\n");
        return 1;
    }
    return lenscout::runScan(argc, argv, "lenscout-scan");
}
