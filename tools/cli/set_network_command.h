#pragma once

namespace lenscout {

// lenscout-cli set-network: argv[0] is the subcommand's name.
int runSetNetwork(int argc, char** argv);
extern const char kSetNetworkUsage[];

}  // namespace lenscout
