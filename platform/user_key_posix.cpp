#include "platform/user_key.h"

#include <unistd.h>

namespace lenscout {

std::string currentUserKey() { return std::to_string(::getuid()); }

}  // namespace lenscout
