#include "app/startup_language.h"

#include "app/language_setting.h"
#include "app/string_table.h"
#include "app/system_language.h"

namespace lenscout {

void ChooseStartupLanguage() {
    ReadLanguageSetting();
    SelectLanguage(LanguageSetting == 0 ? DetectSystemLanguage() : LanguageSetting);
}

}  // namespace lenscout
