#include "ui/tool_app.h"

#include "app/language_setting.h"
#include "app/startup_language.h"
#include "app/string_table.h"

namespace lenscout {

bool runStartup(const StartupSteps& steps) {
    // A desktop started from an old version's folder keeps its choice.
    takeOverOldSettings();
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
