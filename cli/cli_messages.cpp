#include "cli/cli_messages.h"

#include <cstdio>

#include "cli/tool_language.h"

namespace lenscout {

void diagnose(const std::string& text) { std::fprintf(stderr, "lenscout-cli: %s\n", text.c_str()); }

void noInterface(const char* program) {
    std::fprintf(stderr, "%s: no usable network interface: no link is up and able to broadcast\n", program);
}

void diagnoseCamera(const std::string& id, int textRow) { diagnose(id + ": " + systemText(textRow)); }

}  // namespace lenscout
