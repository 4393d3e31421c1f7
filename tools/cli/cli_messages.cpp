#include "tools/cli/cli_messages.h"

#include <cstdint>
#include <cstdio>

#include "tools/cli/tool_language.h"
#include "tools/common/options.h"

namespace lenscout {

void diagnose(const std::string& text) { std::fprintf(stderr, "lenscout-cli: %s\n", text.c_str()); }

void diagnoseCamera(const std::string& id, int textRow) { diagnose(id + ": " + systemText(textRow)); }

bool parseSeconds(const std::string& text, uint32_t* ms) {
    uint64_t seconds = 0;
    if (!parseUnsigned(text, 86400, &seconds)) return false;
    *ms = static_cast<uint32_t>(seconds * 1000);
    return true;
}

}  // namespace lenscout
