// Prints the monotonic clock in milliseconds, then becomes the program
// named on its command line: the start time of that program, measured
// without a shell in between.
#include <time.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: launch_timed PROGRAM [ARGS...]\n");
        return 2;
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("launch mono_ms=%lld\n", static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000);
    std::fflush(stdout);
    execvp(argv[1], argv + 1);
    std::perror("launch_timed");
    return 127;
}
