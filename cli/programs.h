#pragma once
// The two programs of cli/, whole: each main() only hands its line over,
// so that the files that parse lines build together.

namespace lenscout {

// lenscout-cli: returns its exit status.
int runCli(int argc, char** argv);
// lenscout-scan: returns its exit status.
int runScanProgram(int argc, char** argv);

}  // namespace lenscout
