// Shortcut creation and removal in the test prefix's own Start Menu, under a folder unique to
// the test run.
#include "setupsupport.h"
#include "helpers/shortcut_reader.h"
#include "helpers/test_files.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>

using namespace testing_support;

namespace {

std::wstring CommonPrograms() {
    wchar_t path[MAX_PATH + 1] = {};
    SHGetSpecialFolderPathW(nullptr, path, CSIDL_COMMON_PROGRAMS, FALSE);
    return path;
}

class Shortcuts : public ::testing::Test {
  protected:
    std::wstring family = L"sst-shortcuts-" + std::to_wstring(GetCurrentProcessId());
    std::wstring shortcutFolder = L"\\" + family + L"\\Brastel\\";
    std::wstring folder = CommonPrograms() + L"\\" + family;
    void TearDown() override { RemoveTree(folder); }
};

TEST_F(Shortcuts, CreateStartMenuShortcutWritesEveryProperty) {
    EXPECT_EQ(CreateStartMenuShortcut(L"C:\\I", L"\\bin\\run.bat", L"Pro", L"C:\\I\\x.ico",
                                      L"C:\\Work", shortcutFolder.c_str(), L"Name", L"Desc",
                                      SW_SHOWNORMAL, L"2.5"),
              0);
    const std::wstring link = folder + L"\\Brastel\\Name 2.5.lnk";
    ASSERT_TRUE(FileExists(link));
    const ShortcutFields fields = ReadShortcut(link);
    ASSERT_TRUE(fields.loaded);
    EXPECT_EQ(fields.path, L"C:\\I\\bin\\run.bat"); // quotes resolved by the shell
    EXPECT_EQ(fields.arguments, L"Pro");
    EXPECT_EQ(fields.workingDirectory, L"C:\\Work");
    EXPECT_EQ(fields.description, L"Desc");
    EXPECT_EQ(fields.iconPath, L"C:\\I\\x.ico");
    EXPECT_EQ(fields.iconIndex, 0);
    EXPECT_EQ(fields.showCommand, SW_SHOWNORMAL);

    // Created again: replaced, not duplicated; an empty revision puts a space before .lnk.
    EXPECT_EQ(CreateFixedStartMenuShortcut(L"C:\\I", L"\\b.bat", L"", L"C:\\I\\b.pdf", L"C:\\I",
                                           shortcutFolder.c_str(), L"Name", L"D", 1),
              0);
    EXPECT_TRUE(FileExists(folder + L"\\Brastel\\Name 18.1.lnk"));
    EXPECT_EQ(CreateStartMenuShortcut(L"C:\\I", L"\\b.bat", L"", L"C:\\I\\b.pdf", L"C:\\I",
                                      shortcutFolder.c_str(), L"Name", L"D", 1, L""),
              0);
    EXPECT_TRUE(FileExists(folder + L"\\Brastel\\Name .lnk"));
    EXPECT_EQ(ReadShortcut(folder + L"\\Brastel\\Name .lnk").arguments, L"");
}

TEST_F(Shortcuts, CreateShellLinkReportsASaveThatFails) {
    // A folder stands where the link file should go.
    ASSERT_TRUE(CreateFolders(folder + L"\\blocked.lnk"));
    const std::wstring link = folder + L"\\blocked.lnk";
    EXPECT_NE(CreateShellLink(link.c_str(), L"\"C:\\x\"", L"", L"C:\\", L"", L"", 0, 1), 0);
    EXPECT_EQ(
        CreateShellLink((folder + L"\\ok.lnk").c_str(), L"\"C:\\x\"", L"", L"C:\\", L"", L"", 0, 1),
        0);
}

TEST_F(Shortcuts, DeleteFindsWhatCreationMade) {
    const struct {
        const char* name;
        const wchar_t* createdSuffix;
        const wchar_t* deletedSuffix;
        bool deleted;
    } rows[] = {
        {"same revision", L"4.2", L"4.2", true},
        {"other revision", L"4.2", L"4.3", false},
        {"empty revision on both sides", L"", L"", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CreateStartMenuShortcut(L"C:\\I", L"\\b.bat", L"", L"", L"C:\\I", shortcutFolder.c_str(),
                                L"Name", L"", 1, row.createdSuffix);
        const std::wstring link = folder + L"\\Brastel\\Name " + row.createdSuffix + L".lnk";
        ASSERT_TRUE(FileExists(link));
        EXPECT_EQ(DeleteStartMenuShortcut(shortcutFolder.c_str(), L"Name", row.deletedSuffix), 0);
        EXPECT_EQ(FileExists(link), !row.deleted);
        RemoveTree(link);
    }
    // Unrevised removal also takes a link named without any suffix; a missing one changes nothing.
    ASSERT_TRUE(WriteFileBytes(folder + L"\\Brastel\\Name.lnk", "x"));
    EXPECT_EQ(DeleteUnrevisedStartMenuShortcut(shortcutFolder.c_str(), L"Name"), 0);
    EXPECT_FALSE(FileExists(folder + L"\\Brastel\\Name.lnk"));
    EXPECT_EQ(DeleteFixedStartMenuShortcut(shortcutFolder.c_str(), L"Name"), 0);
    EXPECT_EQ(DeleteLinkFile((folder + L"\\Brastel\\none.lnk").c_str()), E_FAIL);
}

TEST_F(Shortcuts, RemoveFolderIfEmptyFollowsTheShellsListing) {
    const struct {
        const char* name;
        const wchar_t* file;      // a file to put in the folder, or null
        bool hidden;              // that file hidden
        const wchar_t* subfolder; // a sub-folder to put in the folder, or null
        int result;
        bool removed;
    } rows[] = {
        {"empty", nullptr, false, nullptr, 0, true},
        {"one shortcut", L"a.lnk", false, nullptr, ERROR_FILE_EXISTS, false},
        {"only a hidden file", L"desktop.ini", true, nullptr, 0, false},
        {"only an empty sub-folder", nullptr, false, L"sub", 0, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::wstring path = folder + L"\\probe";
        ASSERT_TRUE(CreateFolders(path));
        if (row.file != nullptr) {
            ASSERT_TRUE(WriteFileBytes(path + L"\\" + row.file, "x"));
            if (row.hidden) {
                SetFileAttributesW((path + L"\\" + row.file).c_str(), FILE_ATTRIBUTE_HIDDEN);
            }
        }
        if (row.subfolder != nullptr) {
            ASSERT_TRUE(CreateFolders(path + L"\\" + row.subfolder));
        }
        EXPECT_EQ(RemoveFolderIfEmpty(path.c_str()), row.result);
        EXPECT_EQ(FileExists(path), !row.removed);
        RemoveTree(path);
    }
    EXPECT_EQ(RemoveFolderIfEmpty((folder + L"\\missing").c_str()), E_FAIL);
}

TEST_F(Shortcuts, RemoveStartMenuTopFolderBounds) {
    // The Programs folder itself is never removed, even when it holds nothing.
    EXPECT_EQ(RemoveStartMenuTopFolder(L""), 0);
    EXPECT_TRUE(FileExists(CommonPrograms()));
    // A name that does not fit 520 characters with the Programs folder: nothing attempted.
    ASSERT_TRUE(CreateFolders(folder));
    const std::wstring tooLong = family + L"\\" + std::wstring(520, L'x');
    EXPECT_EQ(RemoveStartMenuTopFolder(tooLong.c_str()), 0);
    EXPECT_TRUE(FileExists(folder));
    // An empty folder right below the Programs folder goes.
    EXPECT_EQ(RemoveStartMenuTopFolder(family.c_str()), 0);
    EXPECT_FALSE(FileExists(folder));
}

} // namespace
