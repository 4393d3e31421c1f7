#pragma once
// The language of the tools' messages.
#include <cstdint>

namespace lenscout {

constexpr int64_t kLanguageUnset = -1;

// `language` as --lang gives it (0 automatic, or a language); unset, the desktop
// program's own choice from its settings file and the system.
void selectToolLanguage(int64_t language);

}  // namespace lenscout
