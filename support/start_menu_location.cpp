// Which Programs folder the Start Menu shortcuts go to, decided by the administrator test.
#include "setupsupport.h"
#include "owners.h"
#include "start_menu_internal.h"

#include <shlobj.h>

#include <cwchar>

#ifndef _WIN64
static_assert(sizeof(PRIVILEGE_SET) == 20, "32-bit PRIVILEGE_SET is 20 bytes");
#endif

namespace {

// The calling thread's token when it impersonates, else the process token.
setupsupport::UniqueHandle OpenCallerToken() {
    HANDLE token = nullptr;
    if (OpenThreadToken(GetCurrentThread(), TOKEN_DUPLICATE | TOKEN_QUERY, TRUE, &token)) {
        return setupsupport::OwnHandle(token);
    }
    if (GetLastError() == ERROR_NO_TOKEN &&
        OpenProcessToken(GetCurrentProcess(), TOKEN_DUPLICATE | TOKEN_QUERY, &token)) {
        return setupsupport::OwnHandle(token);
    }
    return nullptr;
}

} // namespace

int IsAdministrator() {
    const setupsupport::UniqueHandle token = OpenCallerToken();
    if (!token) {
        return 0;
    }
    HANDLE duplicate = nullptr;
    if (!DuplicateToken(token.get(), SecurityImpersonation, &duplicate)) {
        return 0;
    }
    const setupsupport::UniqueHandle impersonation = setupsupport::OwnHandle(duplicate);

    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID adminsSid = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                  DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &adminsSid)) {
        return 0;
    }
    const setupsupport::UniqueSid admins(adminsSid);

    // A private descriptor that grants read (1) and write (2) to Administrators only.
    const setupsupport::UniqueLocal<void> descriptor(
        LocalAlloc(LMEM_ZEROINIT, SECURITY_DESCRIPTOR_MIN_LENGTH));
    if (!descriptor ||
        !InitializeSecurityDescriptor(descriptor.get(), SECURITY_DESCRIPTOR_REVISION)) {
        return 0;
    }
    const DWORD aclSize = GetLengthSid(admins.get()) + 16;
    const setupsupport::UniqueLocal<ACL> acl(static_cast<ACL*>(LocalAlloc(LMEM_ZEROINIT, aclSize)));
    if (!acl || !InitializeAcl(acl.get(), aclSize, ACL_REVISION) ||
        !AddAccessAllowedAce(acl.get(), ACL_REVISION, 3, admins.get()) ||
        !SetSecurityDescriptorDacl(descriptor.get(), TRUE, acl.get(), FALSE)) {
        return 0;
    }
    SetSecurityDescriptorGroup(descriptor.get(), admins.get(), FALSE);
    SetSecurityDescriptorOwner(descriptor.get(), admins.get(), FALSE);
    if (!IsValidSecurityDescriptor(descriptor.get())) {
        return 0;
    }

    GENERIC_MAPPING mapping = {};
    mapping.GenericRead = 1;
    mapping.GenericWrite = 2;
    mapping.GenericExecute = 0;
    mapping.GenericAll = 3;
    PRIVILEGE_SET privileges = {};
    DWORD privilegesLength = sizeof(privileges);
    DWORD granted = 0;
    BOOL status = FALSE;
    if (!AccessCheck(descriptor.get(), impersonation.get(), 1, &mapping, &privileges,
                     &privilegesLength, &granted, &status)) {
        return 0;
    }
    return status ? 1 : 0;
}

namespace setupsupport {

void ReadProgramsFolder(wchar_t* buffer) {
    // The shell's result is looked at: when it cannot deliver the folder the path is empty, and
    // the callers then compose no path at all.
    buffer[0] = L'\0';
    const int folder = IsAdministrator() ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS;
    if (!SHGetSpecialFolderPathW(nullptr, buffer, folder, FALSE)) {
        buffer[0] = L'\0';
    }
}

} // namespace setupsupport

unsigned int GetStartMenuProgramsDir(wchar_t* buffer, unsigned int capacity) {
    if (static_cast<int>(capacity) > 0 && buffer != nullptr) {
        buffer[0] = L'\0';
    }
    wchar_t folder[MAX_PATH + 1];
    setupsupport::ReadProgramsFolder(folder);
    const unsigned int needed = static_cast<unsigned int>(wcslen(folder)) + 1;
    if (buffer == nullptr || capacity < needed) {
        return needed;
    }
    wmemcpy(buffer, folder, needed);
    return 0;
}

namespace setupsupport {

std::unique_ptr<wchar_t[]> ProgramsFolder() {
    const unsigned int count = GetStartMenuProgramsDir(nullptr, 0);
    std::unique_ptr<wchar_t[]> folder(new wchar_t[count]);
    GetStartMenuProgramsDir(folder.get(), count);
    return folder;
}

std::unique_ptr<wchar_t[]> ReadRevision(RevisionReader reader) {
    const int count = reader(nullptr, 0);
    std::unique_ptr<wchar_t[]> revision(new wchar_t[count]);
    wchar_t* buffer = revision.get();
    reader(&buffer, count);
    return revision;
}

} // namespace setupsupport
