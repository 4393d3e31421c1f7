// lenscout-scan: runs the discovery worker for a while and prints what it
// hands over, for scripts and tests. Run it only inside the virtual LAN.
#include "platform/terminal.h"
#include "tools/scan/scan_command.h"

int main(int argc, char** argv) {
    lenscout::followUserLocale();
    return lenscout::runScan(argc, argv, "lenscout-scan");
}
