// lenscout-cli: the cameras of the local network from a shell or a script.
#include "cli/programs.h"

int main(int argc, char** argv) { return lenscout::runCli(argc, argv); }
