#pragma once
// Keeping a password from where it could be read later: core dumps, the
// memory it leaves behind, the environment of programs started afterwards,
// and a file that others can read.
#include <cstddef>
#include <string>

namespace lenscout {

// No core dump, and no debugger of another user, from now on (Linux).
void keepSecretsFromDumps();
// Zeros the bytes in a way the compiler cannot leave out.
void wipe(void* data, size_t size);
void wipe(std::string& text);
// Takes the variable out of the environment, zeroing its value first.
void forgetEnvironment(const char* name);
// Whether users other than the owner may read the file.
bool readableByOthers(const std::string& path);

}  // namespace lenscout
