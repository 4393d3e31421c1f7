#include "platform/user_key.h"

#include <windows.h>

namespace lenscout {

std::string currentUserKey() {
    char name[257] = {};
    DWORD size = sizeof name;
    return ::GetUserNameA(name, &size) ? std::string(name) : std::string("user");
}

bool peerIsCurrentUser(intptr_t) { return true; }

}  // namespace lenscout
