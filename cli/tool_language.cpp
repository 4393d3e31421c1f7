#include "cli/tool_language.h"

#include "app/language_setting.h"
#include "app/startup_language.h"
#include "app/string_table.h"
#include "app/system_language.h"

namespace lenscout {

void selectToolLanguage(int64_t language) {
    if (language == kLanguageUnset) {
        ChooseStartupLanguage();
        return;
    }
    LanguageSetting = static_cast<int>(language);
    SelectLanguage(LanguageSetting == 0 ? DetectSystemLanguage() : LanguageSetting);
}

}  // namespace lenscout
