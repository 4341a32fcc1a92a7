#include "setupsupport.h"
#include "core/platform_rules.h"
#include "helpers/test_files.h"

#include <gtest/gtest.h>

#include <string>

using namespace testing_support;

namespace {

TEST(PlatformIdentification, ProcessorIdentifierAndUpperCase) {
    const struct {
        const wchar_t* identifier;
        int expected;
    } rows[] = {
        {L"Intel64 Family 6 Model 158 Stepping 10, GenuineIntel", 1},
        {L"AMD64 Family 23 Model 49 Stepping 0, AuthenticAMD", 1},
        {L"EM64T Family 15 Model 4", 1},
        {L"x86 Family 6 Model 158 Stepping 10, GenuineIntel", 0},
        {L"amd64 Family 23", 0},
        {L"", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.identifier)));
        ASSERT_TRUE(SetEnvironmentVariableW(L"PROCESSOR_IDENTIFIER", row.identifier));
        EXPECT_EQ(Is64BitProcessor(), row.expected);
    }
    ASSERT_TRUE(SetEnvironmentVariableW(L"PROCESSOR_IDENTIFIER", nullptr));
    EXPECT_EQ(Is64BitProcessor(), 0);

    wchar_t text[] = L"Hpc-\u00df1 \u00e9z";
    CopyToUpperCase(text, text);
    EXPECT_EQ(std::wstring(text), L"HPC-\u00df1 \u00e9Z");
}

// A key of the test's own below HKEY_LOCAL_MACHINE\SOFTWARE, with sub-keys made by raw calls.
class MachineKey : public ::testing::Test {
  protected:
    std::wstring path = L"SOFTWARE\\sst-platform-" + std::to_wstring(GetCurrentProcessId());
    void SetUp() override {
        for (const wchar_t* name : {L"Alpha", L"Microsoft Hpc Pack 2008", L"Zeta"}) {
            HKEY key = nullptr;
            ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, (path + L"\\" + name).c_str(), 0, nullptr,
                                      0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                      ERROR_SUCCESS);
            RegCloseKey(key);
        }
    }
    void TearDown() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, path.c_str()); }
};

TEST_F(MachineKey, FindMachineSubkeySearchesNamesInAnyCase) {
    EXPECT_EQ(FindMachineSubkey(path.c_str(), L"HPC", 0), 1);
    EXPECT_EQ(FindMachineSubkey(path.c_str(), L"hpc pack", 1), 1);
    EXPECT_EQ(FindMachineSubkey(path.c_str(), L"Beta", 0), 0);
    EXPECT_EQ(FindMachineSubkey(path.c_str(), L"", 0), 1);
    // A missing key is created (it stays) and answers 0.
    const std::wstring missing = path + L"\\Alpha\\Missing";
    EXPECT_EQ(FindMachineSubkey(missing.c_str(), L"", 0), 0);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, missing.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
}

class UserKey : public ::testing::Test {
  protected:
    std::wstring path = L"Software\\sst-registry-" + std::to_wstring(GetCurrentProcessId());
    HKEY key = nullptr;
    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key);
        RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    }
    void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
        ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes),
                  ERROR_SUCCESS);
    }
};

TEST_F(UserKey, ReadRegistryStringCopiesAtMostTheDataAndNeverPastTheDestination) {
    SetRaw(L"plain", REG_SZ, L"abc", 8);
    SetRaw(L"unterminated", REG_BINARY, L"abcdef", 6); // three characters, no terminator
    SetRaw(L"early", REG_SZ, L"ab\0cd", 12);
    const std::wstring full(130, L'x'); // 260 bytes, no terminator
    SetRaw(L"full", REG_BINARY, full.c_str(), 260);
    const std::wstring tooLong(140, L'y');
    SetRaw(L"long", REG_SZ, tooLong.c_str(), 282);

    const struct {
        const wchar_t* value;
        std::wstring expected;
    } rows[] = {
        {L"plain", L"abc"}, {L"unterminated", L"abc"},
        {L"early", L"ab"},  {L"full", full.substr(0, 129)},
        {L"long", L""},     {L"missing", L""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.value)));
        wchar_t destination[131];
        wmemset(destination, 0xBEEF, 131);
        ReadRegistryString(HKEY_CURRENT_USER, path.c_str(), destination, row.value);
        EXPECT_EQ(std::wstring(destination), row.expected);
        EXPECT_EQ(destination[130], static_cast<wchar_t>(0xBEEF));
    }
    // A key that does not open leaves the destination as it was.
    wchar_t untouched[4] = {L'o', L'l', L'd', 0};
    ReadRegistryString(HKEY_CURRENT_USER, (path + L"\\none").c_str(), untouched, L"plain");
    EXPECT_EQ(std::wstring(untouched), L"old");
}

// The reported version follows HKCU\Software\Wine "Version", read when a process starts.
class PlatformProbe : public ::testing::Test {
  protected:
    TempFolder folder{L"platform"};
    std::wstring hpcKey = L"SOFTWARE\\Microsoft\\Hpc Pack sst";

    void TearDown() override {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine", L"Version");
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, hpcKey.c_str());
    }

    std::string Probe(const wchar_t* version) {
        if (version != nullptr) {
            EXPECT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine", L"Version", REG_SZ,
                                      version, static_cast<DWORD>(2 * (wcslen(version) + 1))),
                      ERROR_SUCCESS);
        } else {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine", L"Version");
        }
        const std::wstring out = folder.Path() + L"\\flags.bin";
        DWORD exitCode = 1;
        EXPECT_TRUE(RunCommandLine(
            L"\"" + ThisProgramFolder() + L"\\platform_probe.exe\" \"" + out + L"\"", &exitCode));
        EXPECT_EQ(exitCode, 0u);
        return ReadFileBytes(out).substr(0, 9);
    }

    static std::string Only(int flag) {
        std::string flags(9, '\0');
        flags[flag] = 1;
        return flags;
    }
};

TEST_F(PlatformProbe, RealVersionsSetTheirFlag) {
    EXPECT_EQ(Probe(nullptr), Only(setupcore::kWindows7)); // Wine's default: 6.1 workstation
    EXPECT_EQ(Probe(L"vista"), Only(setupcore::kWindowsVista));
    EXPECT_EQ(Probe(L"win2003"), Only(setupcore::kWindowsServer2003));
    EXPECT_EQ(Probe(L"win2008"), Only(setupcore::kWindowsServer2008));
    // An HPC Pack key below SOFTWARE\Microsoft makes the same server an HPC server.
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, hpcKey.c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(Probe(L"win2008"), Only(setupcore::kHpcServer));
    // A program without a manifest entry for Windows 8.1 or 10 is told 6.2 there.
    EXPECT_EQ(Probe(L"win10"), Only(setupcore::kWindows8));
}

TEST(PlatformIdentification, ServicePackTextIsANewCopyOfTheVersionRecords) {
    OSVERSIONINFOEXW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version));
    wchar_t* text = nullptr;
    wchar_t* returned = GetServicePackText(12345, &text);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(returned, text);
    EXPECT_EQ(std::wstring(text), version.szCSDVersion);
    FreeAndNull(&text);
}

} // namespace
