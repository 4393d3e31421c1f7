#pragma once
// The language of the tools' messages, and the system's texts in it.
#include <cstdint>
#include <string>

namespace lenscout {

constexpr int64_t kLanguageUnset = -1;

// `language` as --lang gives it (0 automatic, 1 to 3); unset, the desktop
// program's own choice from its settings file and the system.
void selectToolLanguage(int64_t language);
// A row of the string table in the current language, in the terminal's
// encoding.
std::string systemText(int row);

}  // namespace lenscout
