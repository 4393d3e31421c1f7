#pragma once

namespace lenscout {

// lenscout-cli upload: argv[0] is the subcommand's name.
int runUpload(int argc, char** argv);
extern const char kUploadUsage[];

}  // namespace lenscout
