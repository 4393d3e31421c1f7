#include "ui/tool_app.h"

#include "app/startup_language.h"
#include "app/string_table.h"

namespace lenscout {

bool runStartup(const StartupSteps& steps) {
    ChooseStartupLanguage();
    if (steps.handOverToRunningInstance()) return false;
    if (!steps.startSocketLayer()) {
        steps.showMessage(kTextSocketError);
        return false;
    }
    steps.runMainWindow();
    return false;
}

}  // namespace lenscout
