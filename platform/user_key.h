#pragma once
#include <cstdint>
#include <string>

namespace lenscout {

// Tells the users of one machine apart, for names that must be each user's
// own (the single-instance socket): the user ID here, the account name on
// Windows.
std::string currentUserKey();

// Whether the process at the other end of a connected local socket runs as
// this user; where the system cannot tell (Windows' named pipes are each
// user's own already), true.
bool peerIsCurrentUser(intptr_t localSocket);

}  // namespace lenscout
