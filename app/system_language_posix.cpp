#include <cstdlib>
#include <initializer_list>

#include "app/system_language.h"

namespace lenscout {

// The locale variables in the order the C library reads them.
uint16_t SystemDefaultLangId() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return LangIdFromLocale(value);
    }
    return LangIdFromLocale(nullptr);
}

}  // namespace lenscout
