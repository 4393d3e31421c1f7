#pragma once
// The scanner, shared by lenscout-scan and "lenscout-cli scan".

namespace lenscout {

// argv[0] names the program in its messages; returns the exit status.
int runScan(int argc, char** argv, const char* program);
extern const char kScanUsage[];

}  // namespace lenscout
