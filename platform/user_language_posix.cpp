#include <cstdlib>
#include <initializer_list>

#include "platform/user_language.h"

namespace lenscout {

// The locale variables in the order the C library reads them.
UserLanguage userLanguage() {
    UserLanguage language;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) {
            language.locale = value;
            break;
        }
    }
    return language;
}

}  // namespace lenscout
