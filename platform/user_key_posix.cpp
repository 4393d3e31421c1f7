#include "platform/user_key.h"

#include <sys/socket.h>
#include <unistd.h>

namespace lenscout {

std::string currentUserKey() { return std::to_string(::getuid()); }

bool peerIsCurrentUser(intptr_t localSocket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(static_cast<int>(localSocket), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0) return false;
    return peer.uid == ::getuid();
}

}  // namespace lenscout
