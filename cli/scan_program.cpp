// lenscout-scan's opening: its own line, then the scanner.
#include "cli/programs.h"

#include <cstdio>

#include "cli/scan_command.h"
#include "lenscout_facts.h"
#include "platform/terminal.h"
#include "site/exit_status.h"

namespace lenscout {

int runScanProgram(int argc, char** argv) {
    followUserLocale();
    ignoreBrokenPipes();
    ScanOptions options;
    CLI::App app(kScanDescription, LENSCOUT_SCAN_PROGRAM);
    declareScanOptions(app, &options);
    app.footer(exitStatusFooter());
    const int status = parseCommandLine(app, argc, argv);
    if (status >= 0) return status;
    if (!startSocketLayer()) {
        std::fprintf(stderr, LENSCOUT_SCAN_PROGRAM ": no sockets to be had\n");
        return kExitFailed;
    }
    return finishOutput(LENSCOUT_SCAN_PROGRAM, runScan(options, LENSCOUT_SCAN_PROGRAM));
}

}  // namespace lenscout
