#include <windows.h>

#include "app/system_language.h"

namespace lenscout {

uint16_t SystemDefaultLangId() { return static_cast<uint16_t>(::GetUserDefaultUILanguage()); }

}  // namespace lenscout
