#pragma once
#include <string>

namespace lenscout {

// Tells the users of one machine apart, for names that must be each user's
// own (the single-instance socket): the user ID here, the account name on
// Windows.
std::string currentUserKey();

}  // namespace lenscout
