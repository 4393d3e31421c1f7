#include "platform/file_owner_win32.h"

#include <aclapi.h>

#include <vector>

#include "platform/handle_win32.h"

namespace lenscout {

std::vector<BYTE> thisUserSid() {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return {};
    const Handle token{raw};
    DWORD size = 0;
    GetTokenInformation(token.h, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size ? size : 1);
    if (!GetTokenInformation(token.h, TokenUser, user.data(), size, &size)) return {};
    const PSID sid = reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
    std::vector<BYTE> copy(GetLengthSid(sid));
    if (!CopySid(static_cast<DWORD>(copy.size()), copy.data(), sid)) return {};
    return copy;
}

namespace {

bool isThisUser(PSID owner) {
    std::vector<BYTE> user = thisUserSid();
    return !user.empty() && EqualSid(owner, user.data());
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
