#pragma once
// The user's language choice, kept in the settings file in the working
// directory under the key "lang".
#include <cstddef>

#include "app/languages.h"

namespace lenscout {

// 0 automatic (detected from the system at each selection), else a
// language of languages.h.
extern int LanguageSetting;

constexpr char kSettingsFile[] = "lenscout.cfg";

// Sets LanguageSetting from the file; anything unusable gives 0, silently.
void ReadLanguageSetting(const char* path = kSettingsFile);
// The setting a settings file's text gives; 0 for anything unusable.
int parseLanguageSetting(const char* text, size_t size);
// Writes "lang=N", keeping the file's other settings; a file of that line
// alone has no line end. A failure is silent and the setting still holds
// for the running process.
void WriteLanguageSetting(const char* path = kSettingsFile);

}  // namespace lenscout
