// Owners for the Windows resources the library obtains: one std::unique_ptr type per release
// function, so that every return path releases what was obtained.
#pragma once

#include <windows.h>
#include <unknwn.h>
#include <oleauto.h>

#include <cstdio>
#include <memory>
#include <type_traits>

namespace setupsupport {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// Takes over a handle from any Windows call. Files and snapshots report failure as
// INVALID_HANDLE_VALUE, processes and tokens as null; the owner holds null for both, so a failed
// call is always tested as !owner.
inline UniqueHandle OwnHandle(HANDLE handle) {
    return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

struct RegKeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueRegKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegKeyCloser>;

struct LocalFreer {
    void operator()(void* block) const { LocalFree(block); }
};
template <typename T> using UniqueLocal = std::unique_ptr<T, LocalFreer>;

struct SidFreer {
    void operator()(PSID sid) const { FreeSid(sid); }
};
using UniqueSid = std::unique_ptr<void, SidFreer>;

struct ComReleaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename T> using UniqueCom = std::unique_ptr<T, ComReleaser>;

struct ShellStringFreer {
    void operator()(BSTR text) const { SysFreeString(text); }
};
using UniqueShellString = std::unique_ptr<OLECHAR, ShellStringFreer>;

struct StreamCloser {
    void operator()(FILE* stream) const { fclose(stream); }
};
using UniqueStream = std::unique_ptr<FILE, StreamCloser>;

// Owned buffers of the library's own convention (array allocation, array release).
template <typename T> using OwnedArray = std::unique_ptr<T[]>;

} // namespace setupsupport
