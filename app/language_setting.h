#pragma once
#include <cstddef>
// The user's language choice, kept in a one-line settings file in the
// working directory.
namespace lenscout {

// 0 automatic (detected from the system at each selection), 1 English,
// 2 Simplified Chinese, 3 Traditional Chinese.
extern int LanguageSetting;

constexpr char kSettingsFile[] = "lenscout.cfg";

// Sets LanguageSetting from the file; anything unusable gives 0, silently.
void ReadLanguageSetting(const char* path = kSettingsFile);
// The setting a file's first bytes give; 0 for anything unusable.
int parseLanguageSetting(const char* text, size_t size);
// Writes "lang=N" without a line end; a failure is silent and the setting
// still holds for the running process.
void WriteLanguageSetting(const char* path = kSettingsFile);

}  // namespace lenscout
