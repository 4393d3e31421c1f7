#include "cli/cli_messages.h"

#include <cstdio>

#include "app/string_table.h"
#include "cli/tool_language.h"
#include "discovery/camera_text.h"

namespace lenscout {

void diagnose(const std::string& text) { std::fprintf(stderr, "lenscout-cli: %s\n", text.c_str()); }

void noInterface(const char* program) {
    std::fprintf(stderr, "%s: no usable network interface: no link is up and able to broadcast\n", program);
}

void diagnoseCamera(const std::string& id, int textRow) { diagnose(id + ": " + systemText(textRow)); }

void diagnoseConflict(const std::string& id, const CameraInfo& camera) {
    diagnose(id + ": " + systemText(kTextIdConflict) + " (" + dottedQuad(camera.sender) + " claiming " +
             dottedQuad(camera.ip) + ", " + dottedQuad(camera.conflictSender) + " claiming " +
             dottedQuad(camera.conflictIp) + "); nothing was sent");
}

}  // namespace lenscout
