// lenscout-scan's opening: its own line, then the scanner.
#include "cli/programs.h"

#include <cstdio>

#include "cli/scan_command.h"
#include "platform/terminal.h"
#include "site/exit_status.h"

namespace lenscout {

int runScanProgram(int argc, char** argv) {
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

}  // namespace lenscout
