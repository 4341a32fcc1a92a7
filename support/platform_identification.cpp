// Windows edition, service pack and processor identification.
#include "setupsupport.h"
#include "core/platform_rules.h"
#include "environment_internal.h"
#include "owners.h"

#include <cstring>
#include <cwchar>
#include <memory>

static_assert(sizeof(PlatformFlags) == 9, "nine one-byte flags");
#ifndef _WIN64
static_assert(sizeof(OSVERSIONINFOEXW) == 284, "32-bit OSVERSIONINFOEXW is 284 bytes");
#endif

namespace {

OSVERSIONINFOEXW ReadVersion() {
    OSVERSIONINFOEXW version;
    memset(&version, 0, sizeof(version));
    version.dwOSVersionInfoSize = sizeof(version);
#if defined(_MSC_VER)
#pragma warning(suppress : 4996) // GetVersionExW is deprecated, and it is what is wanted here
#endif
    GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version));
    return version;
}

// GetProductInfo is looked up when it is needed: Windows XP and 2003 lack it.
bool ProductInfoSaysClusterServer(DWORD major, DWORD minor) {
    using GetProductInfoFn = BOOL(WINAPI*)(DWORD, DWORD, DWORD, DWORD, PDWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const FARPROC found = kernel != nullptr ? GetProcAddress(kernel, "GetProductInfo") : nullptr;
    if (found == nullptr) {
        return false;
    }
    GetProductInfoFn getProductInfo;
    memcpy(&getProductInfo, &found, sizeof(found));
    DWORD productType = 0;
    getProductInfo(major, minor, 0, 0, &productType);
    return productType == PRODUCT_CLUSTER_SERVER;
}

} // namespace

void IdentifyPlatform(PlatformFlags* flags) {
    memset(flags, 0, sizeof(*flags));
    const OSVERSIONINFOEXW version = ReadVersion();
    const setupcore::PlatformFlag flag = setupcore::ClassifyPlatform(
        version.dwMajorVersion, version.dwMinorVersion, version.wProductType, [&version] {
            return ProductInfoSaysClusterServer(version.dwMajorVersion, version.dwMinorVersion) ||
                   FindMachineSubkey(L"SOFTWARE\\Microsoft", L"HPC", Is64BitProcessor()) != 0;
        });
    if (flag != setupcore::kNoPlatformFlag) {
        reinterpret_cast<unsigned char*>(flags)[flag] = 1;
    }
}

int IsWindows2000(const PlatformFlags* flags) {
    return flags->windows2000;
}
int IsWindowsXp(const PlatformFlags* flags) {
    return flags->windowsXp;
}
int IsWindowsServer2003(const PlatformFlags* flags) {
    return flags->windowsServer2003;
}
int IsWindowsVista(const PlatformFlags* flags) {
    return flags->windowsVista;
}
int IsWindowsServer2008(const PlatformFlags* flags) {
    return flags->windowsServer2008;
}
int IsWindowsServer2008R2(const PlatformFlags* flags) {
    return flags->windowsServer2008R2;
}
int IsHpcServer(const PlatformFlags* flags) {
    return flags->hpcServer;
}
int IsWindows7(const PlatformFlags* flags) {
    return flags->windows7;
}
int IsWindows8(const PlatformFlags* flags) {
    return flags->windows8;
}

wchar_t* GetServicePackText(int, wchar_t** text) {
    const OSVERSIONINFOEXW version = ReadVersion();
    *text = ConcatWide(1, version.szCSDVersion);
    return *text;
}

int Is64BitProcessor() {
    // Not set: no, so that the 32-bit registry view is searched.
    const std::unique_ptr<wchar_t[]> identifier =
        setupsupport::EnvironmentValue(L"PROCESSOR_IDENTIFIER");
    return identifier && setupcore::IsProcessorIdentifier64Bit(identifier.get()) ? 1 : 0;
}

void CopyToUpperCase(const wchar_t* source, wchar_t* destination) {
    setupcore::CopyUpperAscii(source, destination);
}

int FindMachineSubkey(const wchar_t* keyPath, const wchar_t* text, int use64BitView) {
    const REGSAM view = use64BitView ? KEY_WOW64_64KEY : 0;
    HKEY rawKey = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_QUERY_VALUE | view, nullptr, &rawKey, &disposition) != ERROR_SUCCESS) {
        return 0;
    }
    DWORD subkeys = 0;
    {
        const setupsupport::UniqueRegKey key(rawKey);
        if (disposition != REG_OPENED_EXISTING_KEY) {
            return 0; // a key this call had to create counts as absent
        }
        RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr);
    }
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ENUMERATE_SUB_KEYS | view, nullptr, &rawKey,
                        nullptr) != ERROR_SUCCESS) {
        return 0;
    }
    const setupsupport::UniqueRegKey key(rawKey);
    const std::unique_ptr<wchar_t[]> wanted(new wchar_t[wcslen(text) + 1]);
    CopyToUpperCase(text, wanted.get());
    int found = 0;
    for (DWORD index = 0; index < subkeys; ++index) {
        wchar_t name[MAX_PATH];
        DWORD nameLength = MAX_PATH;
        if (RegEnumKeyExW(key.get(), index, name, &nameLength, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS) {
            continue;
        }
        CopyToUpperCase(name, name);
        if (wcsstr(name, wanted.get()) != nullptr) {
            found = 1;
        }
    }
    return found;
}

void ReadRegistryString(HKEY root, const wchar_t* keyPath, wchar_t* destination,
                        const wchar_t* valueName) {
    constexpr DWORD kDataBytes = 260;
    wchar_t data[kDataBytes / sizeof(wchar_t)] = {};
    HKEY rawKey = nullptr;
    if (RegOpenKeyW(root, keyPath, &rawKey) != ERROR_SUCCESS) {
        return;
    }
    const setupsupport::UniqueRegKey key(rawKey);
    DWORD size = kDataBytes;
    if (RegQueryValueExW(key.get(), valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                         &size) != ERROR_SUCCESS) {
        destination[0] = L'\0';
        return;
    }
    // Up to the first terminator, and never more than the data nor than the 129 characters that
    // leave room for a terminator in the 130-character destination.
    const size_t available = size / sizeof(wchar_t);
    const size_t limit = available < 129 ? available : 129;
    size_t length = 0;
    while (length < limit && data[length] != L'\0') {
        ++length;
    }
    wmemcpy(destination, data, length);
    destination[length] = L'\0';
}
