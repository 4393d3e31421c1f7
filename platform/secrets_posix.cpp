#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

#include "platform/secrets.h"

#if defined(__linux__)
#include <sys/prctl.h>
#endif

namespace lenscout {

void keepSecretsFromDumps() {
#if defined(__linux__)
    ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
#endif
}

void wipe(void* data, size_t size) {
    auto* p = static_cast<volatile char*>(data);
    for (size_t i = 0; i < size; ++i) p[i] = 0;
}

void wipe(std::string& text) {
    wipe(text.data(), text.size());
    text.clear();
}

void forgetEnvironment(const char* name) {
    if (char* value = std::getenv(name)) wipe(value, std::strlen(value));
    ::unsetenv(name);
}

bool readableByOthers(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && (st.st_mode & (S_IRGRP | S_IROTH)) != 0;
}

}  // namespace lenscout
