#include <cstdlib>

#include "support/environment.h"

namespace lenscout::test {

void setEnvironment(const char* name, const char* value) { ::_putenv_s(name, value); }
// An empty value removes a variable on Windows.
void clearEnvironment(const char* name) { ::_putenv_s(name, ""); }

}  // namespace lenscout::test
