// lenscout-camsim: plays cameras on a network for tests and benchmarks.
#include <csignal>
#include <cstdio>
#include <string>

#include "tools/camsim/sim_options.h"
#include "tools/camsim/simulator.h"

namespace {
volatile std::sig_atomic_t gStop = 0;
void onSignal(int) { gStop = 1; }
}  // namespace

int main(int argc, char** argv) {
    lenscout::SimOptions options;
    const int status = lenscout::parseSimOptions(argc, argv, &options);
    if (status >= 0) return status;
    std::string error;
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);
    if (!lenscout::startSocketLayer()) {
        std::fprintf(stderr, "lenscout-camsim: no sockets to be had\n");
        return 1;
    }

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
