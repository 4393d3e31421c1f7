#include <cstdlib>

#include "support/environment.h"

namespace lenscout::test {

void setEnvironment(const char* name, const char* value) { ::setenv(name, value, 1); }
void clearEnvironment(const char* name) { ::unsetenv(name); }

}  // namespace lenscout::test
