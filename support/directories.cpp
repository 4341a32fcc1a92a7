// Directory creation and existence tests.
#include "setupsupport.h"
#include "directories_internal.h"

#include <aclapi.h>
#include <sys/stat.h>

#include <cwchar>
#include <memory>

#ifndef _WIN64
static_assert(SECURITY_DESCRIPTOR_MIN_LENGTH == 20, "32-bit security descriptor is 20 bytes");
static_assert(sizeof(SECURITY_ATTRIBUTES) == 12, "32-bit SECURITY_ATTRIBUTES is 12 bytes");
#endif

int CreateDirectoryTree(const wchar_t* path) {
    // Each level is the one below cut with StripLastComponent (a parent keeps its trailing
    // backslash), until a cut changes nothing: a drive root or a name without a backslash. The
    // levels are attempted from the outermost inwards. Worked out in a loop rather than by
    // recursion, so that a path of thousands of levels cannot exhaust the stack. Every cut that
    // changes the text removes a backslash or, at a drive's first folder, leaves only the root,
    // so there are at most (backslashes + 2) levels.
    size_t backslashes = 0;
    for (const wchar_t* c = path; *c != L'\0'; ++c) {
        backslashes += *c == L'\\' ? 1 : 0;
    }
    const size_t capacity = backslashes + 2;
    std::unique_ptr<std::unique_ptr<wchar_t[]>[]> levels(new std::unique_ptr<wchar_t[]>[capacity]);
    size_t count = 0;
    levels[count++].reset(ConcatWide(1, path));
    while (count < capacity) {
        std::unique_ptr<wchar_t[]> parent(ConcatWide(1, levels[count - 1].get()));
        StripLastComponent(parent.get());
        if (wcscmp(parent.get(), levels[count - 1].get()) == 0) {
            break;
        }
        levels[count++] = std::move(parent);
    }
    while (count-- > 0) {
        CreateDirectoryW(levels[count].get(), nullptr);
    }
    return 0;
}

int PathExists(const wchar_t* path) {
    struct _stat status;
    return _wstat(path, &status) == 0 ? 1 : 0;
}

int CreateDirectoryIfMissing(const wchar_t* path) {
    if (PathExists(path)) {
        return 1;
    }
    return CreateDirectoryW(path, nullptr);
}

namespace setupsupport {

bool BuildEveryoneDescriptor(EveryoneDescriptor* result) {
    SID_IDENTIFIER_AUTHORITY worldAuthority = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyoneSid = nullptr;
    if (!AllocateAndInitializeSid(&worldAuthority, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0,
                                  &everyoneSid)) {
        return false;
    }
    result->everyone.reset(everyoneSid);

    EXPLICIT_ACCESS_W access = {};
    access.grfAccessPermissions = 0xE0071FFF;
    access.grfAccessMode = SET_ACCESS;
    access.grfInheritance = CONTAINER_INHERIT_ACE;
    access.Trustee.pMultipleTrustee = nullptr;
    access.Trustee.MultipleTrusteeOperation = NO_MULTIPLE_TRUSTEE;
    access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    access.Trustee.ptstrName = static_cast<LPWSTR>(result->everyone.get());

    PACL newAcl = nullptr;
    if (SetEntriesInAclW(1, &access, nullptr, &newAcl) != ERROR_SUCCESS) {
        return false;
    }
    result->acl.reset(newAcl);

    result->descriptor.reset(LocalAlloc(LPTR, SECURITY_DESCRIPTOR_MIN_LENGTH));
    return result->descriptor &&
           InitializeSecurityDescriptor(result->descriptor.get(), SECURITY_DESCRIPTOR_REVISION) &&
           SetSecurityDescriptorDacl(result->descriptor.get(), TRUE, result->acl.get(), FALSE);
}

} // namespace setupsupport

int CreateDirectoryForEveryone(const wchar_t* path) {
    setupsupport::EveryoneDescriptor everyone;
    if (!setupsupport::BuildEveryoneDescriptor(&everyone)) {
        return 0;
    }
    SECURITY_ATTRIBUTES attributes = {};
    attributes.nLength = sizeof(attributes);
    attributes.lpSecurityDescriptor = everyone.descriptor.get();
    attributes.bInheritHandle = FALSE;
    CreateDirectoryW(path, &attributes);
    return 0;
}
