// lenscout-scan: runs the discovery worker for a while and prints what it
// hands over, for scripts and for watching a network. The same scanner is
// "lenscout-cli scan".
#include <cstdio>

#include "cli/scan_command.h"
#include "platform/terminal.h"
#include "site/exit_status.h"

int main(int argc, char** argv) {
    using namespace lenscout;
    followUserLocale();
    ignoreBrokenPipes();
    ScanOptions options;
    CLI::App app(kScanDescription, "lenscout-scan");
    declareScanOptions(app, &options);
    app.footer(exitStatusFooter());
    const int status = parseCommandLine(app, argc, argv);
    if (status >= 0) return status;
    if (!startSocketLayer()) {
        std::fprintf(stderr, "lenscout-scan: no sockets to be had\n");
        return kExitFailed;
    }
    return finishOutput("lenscout-scan", runScan(options, "lenscout-scan"));
}
