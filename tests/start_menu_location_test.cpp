#include "setupsupport.h"
#include "helpers/restricted_token.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <vector>

using namespace testing_support;

namespace {

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH + 1] = {};
    SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE);
    return path;
}

std::wstring ProgramsDir() {
    const unsigned count = GetStartMenuProgramsDir(nullptr, 0);
    std::vector<wchar_t> buffer(count, static_cast<wchar_t>(0xBEEF));
    EXPECT_EQ(GetStartMenuProgramsDir(buffer.data(), count), 0u);
    return buffer.data();
}

// Wine's default token holds the Administrators group enabled; impersonating a copy in which it
// is deny-only makes the caller a filtered administrator.
TEST(StartMenuLocation, AdministratorTestAndProgramsFolderFollowTheCallersToken) {
    EXPECT_EQ(IsAdministrator(), 1);
    EXPECT_EQ(ProgramsDir(), ShellFolder(CSIDL_COMMON_PROGRAMS));
    {
        FilteredAdministrator filtered;
        ASSERT_TRUE(filtered.active());
        EXPECT_EQ(IsAdministrator(), 0);
        EXPECT_EQ(ProgramsDir(), ShellFolder(CSIDL_PROGRAMS));
    }
    EXPECT_EQ(IsAdministrator(), 1);
    EXPECT_NE(ShellFolder(CSIDL_PROGRAMS), ShellFolder(CSIDL_COMMON_PROGRAMS));
}

TEST(StartMenuLocation, SizeQueryOfTheProgramsFolder) {
    const std::wstring expected = ShellFolder(CSIDL_COMMON_PROGRAMS);
    ASSERT_FALSE(expected.empty());
    EXPECT_NE(expected.back(), L'\\');
    const unsigned count = static_cast<unsigned>(expected.size()) + 1;
    EXPECT_EQ(GetStartMenuProgramsDir(nullptr, 0), count);

    std::vector<wchar_t> buffer(count + 2, static_cast<wchar_t>(0xBEEF));
    // One short: the buffer is emptied and the count returned.
    EXPECT_EQ(GetStartMenuProgramsDir(buffer.data(), count - 1), count);
    EXPECT_EQ(buffer[0], L'\0');
    EXPECT_EQ(buffer[1], static_cast<wchar_t>(0xBEEF));
    // Exactly the count: filled, nothing written past it.
    EXPECT_EQ(GetStartMenuProgramsDir(buffer.data(), count), 0u);
    EXPECT_EQ(std::wstring(buffer.data()), expected);
    EXPECT_EQ(buffer[count], static_cast<wchar_t>(0xBEEF));
}

} // namespace
