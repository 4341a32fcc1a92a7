#include "setupsupport.h"
#include "directories_internal.h"
#include "helpers/test_files.h"

#include <gtest/gtest.h>
#include <aclapi.h>

#include <string>

using namespace testing_support;

namespace {

class Directories : public ::testing::Test {
  protected:
    TempFolder folder{L"dirs"};
};

TEST_F(Directories, CreateDirectoryTreeCreatesEveryMissingLevel) {
    const std::wstring base = folder.Path();
    EXPECT_EQ(CreateDirectoryTree((base + L"\\a\\b").c_str()), 0);
    EXPECT_TRUE(FileExists(base + L"\\a\\b"));
    EXPECT_EQ(CreateDirectoryTree((base + L"\\c\\d\\").c_str()), 0);
    EXPECT_TRUE(FileExists(base + L"\\c\\d"));
    // The doubled separator of the shortcut folders is accepted.
    EXPECT_EQ(CreateDirectoryTree((base + L"\\e\\\\f\\").c_str()), 0);
    EXPECT_TRUE(FileExists(base + L"\\e\\f"));
    // A file where a parent should be: that level and all below fail; still 0.
    ASSERT_TRUE(WriteFileBytes(base + L"\\file", "x"));
    EXPECT_EQ(CreateDirectoryTree((base + L"\\file\\g\\h").c_str()), 0);
    EXPECT_FALSE(FileExists(base + L"\\file\\g"));
    // Relative paths start from the current directory.
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(base.c_str()));
    EXPECT_EQ(CreateDirectoryTree(L"rel\\sub"), 0);
    EXPECT_EQ(CreateDirectoryTree(L"logs"), 0);
    SetCurrentDirectoryW(previous);
    EXPECT_TRUE(FileExists(base + L"\\rel\\sub"));
    EXPECT_TRUE(FileExists(base + L"\\logs"));
}

TEST_F(Directories, PathExistsAndCreateDirectoryIfMissing) {
    const std::wstring file = folder.Path() + L"\\file.txt";
    ASSERT_TRUE(WriteFileBytes(file, "x"));
    EXPECT_EQ(PathExists(file.c_str()), 1);
    EXPECT_EQ(PathExists(folder.Path().c_str()), 1);
    EXPECT_EQ(PathExists((folder.Path() + L"\\none").c_str()), 0);

    EXPECT_EQ(CreateDirectoryIfMissing(file.c_str()), 1); // a file of that name: nothing made
    EXPECT_EQ(CreateDirectoryIfMissing(folder.Path().c_str()), 1);
    EXPECT_NE(CreateDirectoryIfMissing((folder.Path() + L"\\new").c_str()), 0);
    EXPECT_TRUE(FileExists(folder.Path() + L"\\new"));
    EXPECT_EQ(CreateDirectoryIfMissing((folder.Path() + L"\\no\\parent").c_str()), 0);
    EXPECT_FALSE(FileExists(folder.Path() + L"\\no"));
}

// Wine does not apply a descriptor handed to CreateDirectoryW (it reports one made from the Unix
// mode), so the descriptor is examined as built; the call itself is checked to create the folder.
TEST_F(Directories, CreateDirectoryForEveryoneGivesOneExplicitEntry) {
    setupsupport::EveryoneDescriptor built;
    ASSERT_TRUE(setupsupport::BuildEveryoneDescriptor(&built));
    EXPECT_TRUE(IsValidSecurityDescriptor(built.descriptor.get()));
    BOOL present = FALSE;
    BOOL defaulted = TRUE;
    PACL dacl = nullptr;
    ASSERT_TRUE(GetSecurityDescriptorDacl(built.descriptor.get(), &present, &dacl, &defaulted));
    EXPECT_TRUE(present);
    EXPECT_FALSE(defaulted);
    PSID owner = reinterpret_cast<PSID>(1);
    BOOL ownerDefaulted = TRUE;
    ASSERT_TRUE(GetSecurityDescriptorOwner(built.descriptor.get(), &owner, &ownerDefaulted));
    EXPECT_EQ(owner, nullptr);
    ASSERT_NE(dacl, nullptr);
    ASSERT_EQ(dacl->AceCount, 1);
    ACCESS_ALLOWED_ACE* ace = nullptr;
    ASSERT_TRUE(GetAce(dacl, 0, reinterpret_cast<void**>(&ace)));
    EXPECT_EQ(ace->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
    EXPECT_EQ(ace->Header.AceFlags, CONTAINER_INHERIT_ACE);
    EXPECT_EQ(ace->Mask, 0xE0071FFFu);
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    ASSERT_TRUE(
        AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone));
    EXPECT_TRUE(EqualSid(&ace->SidStart, everyone));
    FreeSid(everyone);

    const std::wstring path = folder.Path() + L"\\shared";
    EXPECT_EQ(CreateDirectoryForEveryone(path.c_str()), 0);
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(CreateDirectoryForEveryone(path.c_str()), 0); // exists already: still 0
}

} // namespace
