// Terminating every running copy of a program by a part of its file name.
#include "setupsupport.h"
#include "owners.h"

#include <tlhelp32.h>

#include <cstring>
#include <cwchar>

#ifndef _WIN64
static_assert(sizeof(PROCESSENTRY32W) == 556, "32-bit PROCESSENTRY32W is 556 bytes");
#endif

namespace {
// STANDARD_RIGHTS_REQUIRED, SYNCHRONIZE and the twelve process-specific rights.
constexpr DWORD kTerminateAccess = 0x1F0FFF;
} // namespace

int TerminateProcessesByName(const wchar_t* namePart) {
    int result = 1;
    PROCESSENTRY32W entry;
    memset(&entry, 0, sizeof(entry));
    const DWORD self = GetCurrentProcessId();
    const setupsupport::UniqueHandle snapshot =
        setupsupport::OwnHandle(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        return 0;
    }
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ProcessID == self || wcsstr(entry.szExeFile, namePart) == nullptr) {
            continue;
        }
        const setupsupport::UniqueHandle process =
            setupsupport::OwnHandle(OpenProcess(kTerminateAccess, FALSE, entry.th32ProcessID));
        if (!process) {
            continue; // cannot be opened, or gone since the snapshot
        }
        result *= TerminateProcess(process.get(), 0) ? 1 : 0;
    }
    return result;
}
