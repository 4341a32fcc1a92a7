#include "restricted_token.h"

namespace testing_support {

FilteredAdministrator::FilteredAdministrator() {
    HANDLE process = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &process)) {
        return;
    }
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID admins = nullptr;
    AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0,
                             0, 0, 0, &admins);
    SID_AND_ATTRIBUTES denied = {admins, 0};
    HANDLE restricted = nullptr;
    HANDLE impersonation = nullptr;
    if (admins != nullptr &&
        CreateRestrictedToken(process, 0, 1, &denied, 0, nullptr, 0, nullptr, &restricted) &&
        DuplicateToken(restricted, SecurityImpersonation, &impersonation)) {
        active_ = SetThreadToken(nullptr, impersonation) != 0;
    }
    if (impersonation != nullptr) {
        CloseHandle(impersonation);
    }
    if (restricted != nullptr) {
        CloseHandle(restricted);
    }
    if (admins != nullptr) {
        FreeSid(admins);
    }
    CloseHandle(process);
}

FilteredAdministrator::~FilteredAdministrator() {
    if (active_) {
        RevertToSelf();
    }
}

} // namespace testing_support
