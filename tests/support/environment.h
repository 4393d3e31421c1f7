#pragma once
// Setting the tests' own environment, the same way on every system.

namespace lenscout::test {

void setEnvironment(const char* name, const char* value);
// Removes the variable: getenv gives null afterwards.
void clearEnvironment(const char* name);
// Points the user's settings folder ($XDG_CONFIG_HOME, %APPDATA%) at a
// fresh folder of the test run's own: no test reads or writes the settings
// of the user who runs it, nor those of a test beside it.
void isolateUserSettings();
// The variable that names that folder on this system.
const char* userSettingsVariable();

}  // namespace lenscout::test
