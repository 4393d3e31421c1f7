#pragma once
// The two programs, whole: each main() only hands its line over, so that
// the files that parse lines build together. Each returns its exit status.
namespace lenscout {
int runCli(int argc, char** argv);
int runScanProgram(int argc, char** argv);
}  // namespace lenscout
