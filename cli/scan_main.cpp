// lenscout-scan: runs the discovery worker for a while and prints what it
// hands over, for scripts and for watching a network. The same scanner is
// "lenscout-cli scan".
#include "cli/programs.h"

int main(int argc, char** argv) { return lenscout::runScanProgram(argc, argv); }
