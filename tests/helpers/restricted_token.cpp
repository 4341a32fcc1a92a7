#include "restricted_token.h"

namespace testing_support {

HANDLE CreateFilteredAdministratorToken() {
    HANDLE process = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &process)) {
        return nullptr;
    }
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID admins = nullptr;
    HANDLE restricted = nullptr;
    if (AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0,
                                 0, 0, 0, 0, &admins)) {
        SID_AND_ATTRIBUTES denied = {admins, 0};
        if (!CreateRestrictedToken(process, 0, 1, &denied, 0, nullptr, 0, nullptr, &restricted)) {
            restricted = nullptr;
        }
        FreeSid(admins);
    }
    CloseHandle(process);
    return restricted;
}

FilteredAdministrator::FilteredAdministrator() {
    HANDLE restricted = CreateFilteredAdministratorToken();
    HANDLE impersonation = nullptr;
    if (restricted != nullptr &&
        DuplicateToken(restricted, SecurityImpersonation, &impersonation)) {
        active_ = SetThreadToken(nullptr, impersonation) != 0;
        CloseHandle(impersonation);
    }
    if (restricted != nullptr) {
        CloseHandle(restricted);
    }
}

FilteredAdministrator::~FilteredAdministrator() {
    if (active_) {
        RevertToSelf();
    }
}

} // namespace testing_support
