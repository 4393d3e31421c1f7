#include "cli/camera_command.h"

#include <algorithm>

#include "cli/cli_messages.h"
#include "discovery/camera_text.h"
#include "platform/secrets.h"
#include "platform/terminal.h"
#include "site/exit_status.h"

namespace lenscout {

Opening::~Opening() { wipe(credentials.password, sizeof credentials.password); }

bool openOnCameras(const CameraCommandOptions& o, const std::vector<std::string>& awaited, bool dryRun,
                   const std::function<bool(int*)>& check, Opening* opening, int* status, const std::string& who) {
    selectToolLanguage(o.language);
    diagnoseAsJson(o.progress == "json");
    *status = kExitOk;
    if (!takeUser(o.credentials, &opening->credentials, status, who)) return false;
    if (check && !check(status)) return false;
    if (!dryRun && !takePassword(o.credentials, &opening->credentials, status)) return false;
    *status = kExitOk;
    opening->search.onNoInterface([] { noInterface("lenscout-cli"); });
    return !searchFailed(opening->search.searchAll(o.searchMs, &opening->everyone, &awaited), who, status);
}

std::function<bool()> stopOnInterrupt() {
    countInterrupts();
    return [] { return interruptsSeen() > 0; };
}

}  // namespace lenscout
