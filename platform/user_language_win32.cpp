#include <windows.h>

#include "platform/user_language.h"

namespace lenscout {

UserLanguage userLanguage() {
    UserLanguage language;
    language.langId = static_cast<uint16_t>(::GetUserDefaultUILanguage());
    return language;
}

}  // namespace lenscout
