#pragma once
// The user's language choice, the setting languageSetting() of the
// user's settings file.
#include <cstddef>
#include <string>

#include "app/languages.h"
#include "app/user_settings.h"

namespace lenscout {

// 0 automatic (detected from the system at each selection), else a
// language of languages.h.
extern int LanguageSetting;

// A settings file that an older version left in the working directory is
// taken over once, while the user has none of their own yet.
void takeOverOldSettings();

// Sets LanguageSetting from the file; anything unusable gives 0, silently.
void ReadLanguageSetting(const std::string& path = settingsFilePath());
// The setting a settings file's text gives; 0 for anything unusable.
int parseLanguageSetting(const char* text, size_t size);
// Writes "lang=N", keeping the file's other settings; a file of that line
// alone has no line end. A failure is silent and the setting still holds
// for the running process.
bool WriteLanguageSetting(const std::string& path = settingsFilePath());

}  // namespace lenscout
