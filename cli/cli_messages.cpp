#include "cli/cli_messages.h"

#include <cstdio>

#include "cli/tool_language.h"

namespace lenscout {

void diagnose(const std::string& text) { std::fprintf(stderr, "lenscout-cli: %s\n", text.c_str()); }

void diagnoseCamera(const std::string& id, int textRow) { diagnose(id + ": " + systemText(textRow)); }

}  // namespace lenscout
