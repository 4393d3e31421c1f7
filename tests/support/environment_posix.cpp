#include <stdlib.h>

#include <cstdlib>
#include <string>

#include "support/environment.h"

namespace lenscout::test {

void setEnvironment(const char* name, const char* value) { ::setenv(name, value, 1); }
void clearEnvironment(const char* name) { ::unsetenv(name); }

const char* userSettingsVariable() { return "XDG_CONFIG_HOME"; }

void isolateUserSettings() {
    const char* temp = std::getenv("TMPDIR");
    std::string folder = std::string(temp && *temp ? temp : "/tmp") + "/lenscout-settings.XXXXXX";
    if (::mkdtemp(&folder[0])) ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
}

}  // namespace lenscout::test
