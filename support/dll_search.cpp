// Hardening of the DLL search for programs that run elevated from a folder users may write.
#include "setupsupport.h"

#include <cstring>

void RestrictDllSearchToSystemFolder() {
    // SetDefaultDllDirectories is in kernel32 from Windows 8 on, and on Vista and 7 with update
    // KB2533623; look it up so that the programs still start where it is missing.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const FARPROC found =
        kernel != nullptr ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr;
    if (found != nullptr) {
        SetDefaultDllDirectoriesFn setDefault;
        static_assert(sizeof(setDefault) == sizeof(found), "function pointers differ in size");
        memcpy(&setDefault, &found, sizeof(found));
        if (setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
            return;
        }
    }
    // Without it, at least take the current directory out of the search.
    SetDllDirectoryW(L"");
}
