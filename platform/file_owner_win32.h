#pragma once
// Whose a file is, by the owner in its security descriptor: the journal and
// the settings are read and written only when they are this user's, as on
// POSIX by the owner's uid.
#include <windows.h>

#include <vector>

namespace lenscout {

// This user's account SID, copied out of the process's token; empty when
// the token cannot be read.
std::vector<BYTE> thisUserSid();

// The file's owner is this user's account, or the Administrators group
// that owns what this user writes while elevated (when this user is one of
// them). The handle needs READ_CONTROL.
bool ownedByThisUser(HANDLE file);

}  // namespace lenscout
