#include "platform/file_owner_win32.h"

#include <aclapi.h>

#include <vector>

#include "platform/handle_win32.h"

namespace lenscout {

namespace {

bool isThisUser(PSID owner) {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return false;
    const Handle token{raw};
    DWORD size = 0;
    GetTokenInformation(token.h, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size ? size : 1);
    return GetTokenInformation(token.h, TokenUser, user.data(), size, &size) &&
           EqualSid(owner, reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid);
}

bool isAdministratorsOfThisUser(PSID owner) {
    BYTE group[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof group;
    BOOL member = FALSE;
    return CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, group, &size) && EqualSid(owner, group) &&
           CheckTokenMembership(nullptr, group, &member) && member;
}

}  // namespace

bool ownedByThisUser(HANDLE file) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(file, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                        &descriptor) != ERROR_SUCCESS)
        return false;
    const bool ours = owner && (isThisUser(owner) || isAdministratorsOfThisUser(owner));
    LocalFree(descriptor);
    return ours;
}

}  // namespace lenscout
