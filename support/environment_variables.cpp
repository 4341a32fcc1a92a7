// Machine-wide and per-user environment variables kept in the registry.
#include "setupsupport.h"
#include "environment_internal.h"
#include "owners.h"

#include <cwchar>
#include <memory>

namespace {

constexpr int kUserScope = 0;
constexpr int kMachineScope = 1;

const wchar_t kMachineKey[] = L"System\\CurrentControlSet\\Control\\Session Manager\\Environment";
const wchar_t kUserKey[] = L"Environment";

setupsupport::UniqueRegKey OpenEnvironmentKey(int scope) {
    HKEY key = nullptr;
    const LSTATUS status =
        scope == kMachineScope
            ? RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMachineKey, 0, KEY_ALL_ACCESS, &key)
            : RegOpenKeyExW(HKEY_CURRENT_USER, kUserKey, 0, KEY_ALL_ACCESS, &key);
    return setupsupport::UniqueRegKey(status == ERROR_SUCCESS ? key : nullptr);
}

// Deletes a value; 0 when it went or was not there, E_FAIL when the registry refused. `deleted`
// tells whether a value went.
HRESULT DeleteValue(HKEY key, const wchar_t* name, bool* deleted) {
    const LSTATUS status = RegDeleteValueW(key, name);
    *deleted = status == ERROR_SUCCESS;
    return (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) ? S_OK : E_FAIL;
}

void ForgetInProcess(const wchar_t* name) {
    SetEnvironmentVariableW(name, nullptr);
    BroadcastEnvironmentChange();
}

} // namespace

namespace setupsupport {

std::unique_ptr<wchar_t[]> EnvironmentValue(const wchar_t* name) {
    const DWORD count = GetEnvironmentVariableW(name, nullptr, 0);
    if (count == 0) {
        return nullptr;
    }
    std::unique_ptr<wchar_t[]> value(new wchar_t[count]);
    const DWORD length = GetEnvironmentVariableW(name, value.get(), count);
    if (length == 0 || length >= count) {
        return nullptr;
    }
    return value;
}

} // namespace setupsupport

void BroadcastEnvironmentChange() {
    const wchar_t* text = L"Environment";
    const UINT message = RegisterWindowMessageW(text);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, message, reinterpret_cast<LPARAM>(text),
                        SMTO_NORMAL, 50, &result);
}

int SetSystemEnvironmentVariable(const wchar_t* name, const void* value, DWORD type, int scope) {
    if (scope != kUserScope && scope != kMachineScope) {
        return E_INVALIDARG;
    }
    const setupsupport::UniqueRegKey key = OpenEnvironmentKey(scope);
    if (!key) {
        return E_FAIL;
    }
    const bool isString = type == REG_SZ || type == REG_EXPAND_SZ;
    const DWORD bytes =
        isString ? static_cast<DWORD>(2 * (wcslen(static_cast<const wchar_t*>(value)) + 1)) : 4;
    if (RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(value), bytes) !=
        ERROR_SUCCESS) {
        return E_FAIL; // the registry refused: nothing else changes
    }
    if (type == REG_SZ) {
        SetEnvironmentVariableW(name, static_cast<const wchar_t*>(value));
    }
    BroadcastEnvironmentChange();
    return S_OK;
}

int DeleteSystemEnvironmentVariable(const wchar_t* name, int scope) {
    if (scope != kUserScope && scope != kMachineScope) {
        return E_INVALIDARG;
    }
    bool deleted = false;
    if (scope == kMachineScope) {
        // A user variable of the same name goes first.
        const setupsupport::UniqueRegKey userKey = OpenEnvironmentKey(kUserScope);
        if (userKey) {
            DeleteValue(userKey.get(), name, &deleted);
            if (deleted) {
                ForgetInProcess(name);
            }
        }
    }
    const setupsupport::UniqueRegKey key = OpenEnvironmentKey(scope);
    if (!key) {
        return E_FAIL;
    }
    const HRESULT result = DeleteValue(key.get(), name, &deleted);
    if (deleted) {
        ForgetInProcess(name);
    }
    return result;
}
