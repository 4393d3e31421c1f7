#pragma once
// The scanner, shared by lenscout-scan and "lenscout-cli scan".
#include <cstdint>

#include "cli/command_line.h"
#include "cli/tool_language.h"
#include "site/camera_search.h"

namespace lenscout {

struct ScanOptions {
    uint32_t searchMs = kDefaultSearchMs;
    bool once = false;
    bool json = false;
    bool ticks = false;
    bool list = false;
    int64_t language = kLanguageUnset;
    SettingValues settings;  // the search period among them
};

// Declares the scanner's options on `command` (lenscout-scan's own line, or
// the scan command's), bound to `options`.
void declareScanOptions(CLI::App& command, ScanOptions* options);
// `program` names the scanner in its messages; returns the exit status.
int runScan(const ScanOptions& options, const char* program);
extern const char kScanDescription[];

}  // namespace lenscout
