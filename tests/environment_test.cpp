#include "setupsupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A hidden top-level window of the test's own that records every WM_SETTINGCHANGE it receives.
struct Broadcast {
    WPARAM wParam;
    std::wstring text;
};
std::vector<Broadcast> g_received;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTINGCHANGE) {
        g_received.push_back(
            {wParam, lParam != 0 ? reinterpret_cast<const wchar_t*>(lParam) : L"(null)"});
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::wstring ProcessVariable(const wchar_t* name) {
    wchar_t value[256] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 256);
    return length == 0 ? L"(unset)" : value;
}

class EnvironmentVariables : public ::testing::Test {
  protected:
    std::wstring name = L"SST_VAR_" + std::to_wstring(GetCurrentProcessId());
    HWND window = nullptr;
    UINT environmentMessage = RegisterWindowMessageW(L"Environment");

    void SetUp() override {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"sst-broadcast-recorder";
        RegisterClassW(&windowClass);
        window = CreateWindowExW(0, L"sst-broadcast-recorder", L"", WS_OVERLAPPED, 0, 0, 10, 10,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        g_received.clear();
    }
    void TearDown() override {
        DestroyWindow(window);
        for (const auto& root :
             {std::make_pair(HKEY_CURRENT_USER, L"Environment"),
              std::make_pair(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Session "
                                                 L"Manager\\Environment")}) {
            RegDeleteKeyValueW(root.first, root.second, name.c_str());
        }
        SetEnvironmentVariableW(name.c_str(), nullptr);
    }

    static std::string RawValue(HKEY root, const wchar_t* key, const std::wstring& value,
                                DWORD* type = nullptr) {
        BYTE data[512];
        DWORD size = sizeof data;
        DWORD kind = 0;
        if (RegGetValueW(root, key, value.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &kind, data, &size) !=
            ERROR_SUCCESS) {
            return "(missing)";
        }
        if (type != nullptr) {
            *type = kind;
        }
        return std::string(reinterpret_cast<char*>(data), size);
    }
    std::string UserValue(DWORD* type = nullptr) {
        return RawValue(HKEY_CURRENT_USER, L"Environment", name, type);
    }
    std::string MachineValue() {
        return RawValue(HKEY_LOCAL_MACHINE,
                        L"System\\CurrentControlSet\\Control\\Session Manager\\Environment", name);
    }
    void ExpectBroadcasts(size_t count) {
        ASSERT_EQ(g_received.size(), count);
        for (const Broadcast& broadcast : g_received) {
            EXPECT_EQ(broadcast.wParam, environmentMessage);
            EXPECT_EQ(broadcast.text, L"Environment");
        }
        g_received.clear();
    }
};

TEST_F(EnvironmentVariables, SetWritesTheRegistryAndTellsRunningPrograms) {
    EXPECT_EQ(SetSystemEnvironmentVariable(name.c_str(), L"bar", REG_SZ, 0), 0);
    DWORD type = 0;
    EXPECT_EQ(UserValue(&type), std::string("b\0a\0r\0\0\0", 8));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ProcessVariable(name.c_str()), L"bar");
    ExpectBroadcasts(1);

    // REG_EXPAND_SZ reaches the registry, not this process's environment.
    EXPECT_EQ(SetSystemEnvironmentVariable(name.c_str(), L"%TEMP%\\x", REG_EXPAND_SZ, 0), 0);
    EXPECT_EQ(UserValue(&type).size(), 18u); // 8 characters and the terminator
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(ProcessVariable(name.c_str()), L"bar");
    ExpectBroadcasts(1);

    const DWORD number = 0x01020304;
    EXPECT_EQ(SetSystemEnvironmentVariable(name.c_str(), &number, REG_DWORD, 1), 0);
    EXPECT_EQ(MachineValue(), std::string("\x04\x03\x02\x01", 4));
    ExpectBroadcasts(1);
}

TEST_F(EnvironmentVariables, OtherScopesAreRefusedWithoutTouchingAnything) {
    for (int scope : {2, -1}) {
        EXPECT_EQ(SetSystemEnvironmentVariable(name.c_str(), L"x", REG_SZ, scope),
                  static_cast<int>(E_INVALIDARG));
        EXPECT_EQ(DeleteSystemEnvironmentVariable(name.c_str(), scope),
                  static_cast<int>(E_INVALIDARG));
    }
    EXPECT_EQ(UserValue(), "(missing)");
    EXPECT_EQ(MachineValue(), "(missing)");
    ExpectBroadcasts(0);
}

TEST_F(EnvironmentVariables, RefusedWriteIsReported) {
    // Value names are limited to 16383 characters: the registry refuses this write.
    const std::wstring tooLong(20000, L'N');
    EXPECT_EQ(SetSystemEnvironmentVariable(tooLong.c_str(), L"x", REG_SZ, 0),
              static_cast<int>(E_FAIL));
    EXPECT_EQ(ProcessVariable(tooLong.c_str()), L"(unset)");
    ExpectBroadcasts(0);
}

TEST_F(EnvironmentVariables, DeleteRemovesEachValueAndTellsOncePerValue) {
    // Missing at the scope: 0, no broadcast, the process variable stays.
    SetEnvironmentVariableW(name.c_str(), L"kept");
    EXPECT_EQ(DeleteSystemEnvironmentVariable(name.c_str(), 0), 0);
    EXPECT_EQ(ProcessVariable(name.c_str()), L"kept");
    ExpectBroadcasts(0);

    // Machine scope with both values: both go, two broadcasts.
    ASSERT_EQ(SetSystemEnvironmentVariable(name.c_str(), L"user", REG_SZ, 0), 0);
    ASSERT_EQ(SetSystemEnvironmentVariable(name.c_str(), L"machine", REG_SZ, 1), 0);
    g_received.clear();
    EXPECT_EQ(DeleteSystemEnvironmentVariable(name.c_str(), 1), 0);
    EXPECT_EQ(UserValue(), "(missing)");
    EXPECT_EQ(MachineValue(), "(missing)");
    EXPECT_EQ(ProcessVariable(name.c_str()), L"(unset)");
    ExpectBroadcasts(2);

    // Machine scope with the machine value only: one broadcast.
    ASSERT_EQ(SetSystemEnvironmentVariable(name.c_str(), L"machine", REG_SZ, 1), 0);
    g_received.clear();
    EXPECT_EQ(DeleteSystemEnvironmentVariable(name.c_str(), 1), 0);
    ExpectBroadcasts(1);

    // User scope leaves a machine value alone.
    ASSERT_EQ(SetSystemEnvironmentVariable(name.c_str(), L"machine", REG_SZ, 1), 0);
    ASSERT_EQ(SetSystemEnvironmentVariable(name.c_str(), L"user", REG_SZ, 0), 0);
    g_received.clear();
    EXPECT_EQ(DeleteSystemEnvironmentVariable(name.c_str(), 0), 0);
    EXPECT_EQ(UserValue(), "(missing)");
    EXPECT_EQ(MachineValue(), std::string("m\0a\0c\0h\0i\0n\0e\0\0\0", 16));
    ExpectBroadcasts(1);
}

} // namespace
