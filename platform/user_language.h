#pragma once
// What the system says of the user's language: Windows gives a language
// identifier, POSIX a locale name.
#include <cstdint>
#include <string>

namespace lenscout {

struct UserLanguage {
    uint16_t langId = 0;  // 0 where the system names a locale instead
    std::string locale;   // the first non-empty of LC_ALL, LC_MESSAGES, LANG
};
UserLanguage userLanguage();

}  // namespace lenscout
