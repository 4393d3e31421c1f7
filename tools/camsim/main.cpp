// lenscout-camsim: plays cameras on a network for tests and benchmarks.
#include <csignal>
#include <cstdio>
#include <string>

#include "tools/camsim/sim_options.h"
#include "tools/camsim/simulator.h"

namespace {
volatile int gStop = 0;
void onSignal(int) { gStop = 1; }
}  // namespace

int main(int argc, char** argv) {
    lenscout::SimOptions options;
    std::string error;
    if (!lenscout::parseSimOptions(argc, argv, &options, &error)) {
        std::fprintf(stderr, "%s%s", error.c_str(), (!error.empty() && error.back() == '\n') ? "" : "\n");
        return error == lenscout::kSimUsage ? 0 : 2;
    }
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);

    lenscout::Simulator simulator(std::move(options));
    if (!simulator.open(&error)) {
        std::fprintf(stderr, "lenscout-camsim: %s\n", error.c_str());
        return 1;
    }
    // Scripts wait for this line before they send.
    std::printf("ready\n");
    std::fflush(stdout);
    simulator.run(gStop);
    return 0;
}
