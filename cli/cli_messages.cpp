#include "cli/cli_messages.h"

#include <cstdio>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "site/camera_json.h"
#include "site/exit_status.h"
#include "site/output_text.h"

namespace lenscout {

namespace {
bool jsonDiagnostics = false;
}

void diagnoseAsJson(bool on) { jsonDiagnostics = on; }

// Every diagnostic may hold what a camera or a file supplied: none of it
// reaches the terminal raw. A program that reads JSON events gets them so.
void diagnose(const std::string& text) {
    if (jsonDiagnostics) {
        std::fprintf(stderr, "%s\n", jsonText(Json{{"event", "diagnostic"}, {"message", text}}).c_str());
        return;
    }
    std::fprintf(stderr, "lenscout-cli: %s\n", terminalSafe(text).c_str());
}

bool searchFailed(SearchFailure failure, const std::string& who, int* status) {
    if (failure == SearchFailure::None) return false;
    const std::string what = failure == SearchFailure::NoThread ? std::string("cannot start the discovery thread")
                                                                : CurrentText(kTextSocketError);
    diagnose((who.empty() ? "" : who + ": ") + what);
    *status = kExitFailed;
    return true;
}

void noInterface(const char* program) {
    std::fprintf(stderr, "%s: no usable network interface: no link is up and able to broadcast\n", program);
}

void diagnoseCamera(const std::string& id, int textRow) { diagnose(id + ": " + CurrentText(textRow)); }

void diagnoseConflict(const std::string& id, const CameraInfo& camera) {
    diagnose(id + ": " + CurrentText(kTextIdConflict) + " (" + dottedQuad(camera.sender) + " claiming " +
             dottedQuad(camera.ip) + ", " + dottedQuad(camera.conflictSender) + " claiming " +
             dottedQuad(camera.conflictIp) + "); nothing was sent");
}

}  // namespace lenscout
