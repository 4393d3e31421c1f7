#pragma once
// Setting the tests' own environment, the same way on every system.

namespace lenscout::test {

void setEnvironment(const char* name, const char* value);
// Removes the variable: getenv gives null afterwards.
void clearEnvironment(const char* name);

}  // namespace lenscout::test
