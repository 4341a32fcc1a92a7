// The running program's location and the product root five levels above it.
#include "setupsupport.h"
#include "module_path_internal.h"

#include <shlwapi.h>

#include <cwchar>

namespace setupsupport {

namespace {
// The longest path Windows can hand out is 32767 characters; a buffer that large always holds
// the whole path and its terminator.
constexpr DWORD kFirstCapacity = 520;
constexpr DWORD kLargestCapacity = 32768;
} // namespace

ProgramPath ReadProgramPath() {
    for (DWORD capacity = kFirstCapacity;; capacity *= 2) {
        if (capacity > kLargestCapacity) {
            capacity = kLargestCapacity;
        }
        ProgramPath path{std::unique_ptr<wchar_t[]>(new wchar_t[capacity]), 0};
        const DWORD written = GetModuleFileNameW(nullptr, path.text.get(), capacity);
        // A path that does not fit is cut to the capacity (without a terminator on Windows XP):
        // the call then reports the capacity itself, and the read is repeated with more room.
        if (written < capacity || capacity == kLargestCapacity) {
            path.length = written < capacity ? written : capacity - 1;
            path.text[path.length] = L'\0';
            return path;
        }
    }
}

} // namespace setupsupport

int StripLastComponent(wchar_t* path) {
    PathRemoveBackslashW(path);
    wchar_t* last = wcsrchr(path, L'\\');
    if (last == nullptr) {
        return 0;
    }
    last[1] = L'\0';
    return 1;
}

void StripPathLevels(const wchar_t* source, wchar_t* destination) {
    wcscpy(destination, source);
    for (int level = 0; level < 5; ++level) {
        StripLastComponent(destination);
        PathRemoveBackslashW(destination);
    }
}

int GetModulePath(wchar_t* destination, int capacity) {
    const setupsupport::ProgramPath path = setupsupport::ReadProgramPath();
    const int count = static_cast<int>(path.length) + 1;
    if (destination == nullptr || capacity < count) {
        return count;
    }
    wmemcpy(destination, path.text.get(), path.length + 1);
    return 0;
}

int GetProductRoot(wchar_t* destination, int capacity) {
    const setupsupport::ProgramPath path = setupsupport::ReadProgramPath();
    const int count = static_cast<int>(path.length) + 1;
    if (destination == nullptr || capacity < count) {
        return count;
    }
    StripPathLevels(path.text.get(), destination);
    return 0;
}
