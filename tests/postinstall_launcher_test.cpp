// postinstall end to end: the built program is copied five levels below a product root, run,
// and the launcher script it writes is compared byte for byte.
#include "helpers/test_files.h"

#include <gtest/gtest.h>

#include <string>

using namespace testing_support;

namespace {

const wchar_t kProgramFolder[] = L"\\quenda\\vazezazoza.win64\\bin\\installer";
const wchar_t kBinFolder[] = L"\\quenda\\vazezazoza.win64\\bin";
const char kMarkedTemplate[] = "setlocal\r\nREM INSERT-CALL-SETUP-HERE\r\necho ready\r\n";

// Low 8 bits of each character, as the program narrows the call line.
std::string Low8(const std::wstring& text) {
    std::string bytes;
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
    }
    return bytes;
}

// The bytes a call line becomes on disk for the product root `root`.
std::string CallLine(const std::wstring& root) {
    return "\r\n CALL \"" + Low8(root) +
           "\\quenda\\vazezazoza.win64\\bin\\run_vazezazoza_env_setup.bat\"";
}

// Replaces each {CALL} in `pattern` with the call line for `root`.
std::string Expand(std::string pattern, const std::wstring& root) {
    const std::string call = CallLine(root);
    for (size_t at; (at = pattern.find("{CALL}")) != std::string::npos;) {
        pattern.replace(at, 6, call);
    }
    return pattern;
}

// Lays out a product tree below `root` with postinstall.exe in place and runs it.
void InstallAndRun(const std::wstring& root, const std::string* templateBytes) {
    ASSERT_TRUE(CreateFolders(root + kProgramFolder));
    const std::wstring program = root + kProgramFolder + L"\\postinstall.exe";
    ASSERT_TRUE(CopyFileW((ThisProgramFolder() + L"\\postinstall.exe").c_str(),
                          Extended(program).c_str(), FALSE));
    if (templateBytes != nullptr) {
        ASSERT_TRUE(
            WriteFileBytes(root + kBinFolder + L"\\run_quendabench_TEMPLATE.bat", *templateBytes));
    }
    DWORD exitCode = 1;
    ASSERT_TRUE(RunProgram(program, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

std::string ScriptBytes(const std::wstring& root, bool* exists = nullptr) {
    return ReadFileBytes(root + kBinFolder + L"\\run_quendabench.bat", exists);
}

class PostInstallLauncher : public ::testing::Test {
  protected:
    TempFolder folder{L"postinstall"};
};

TEST_F(PostInstallLauncher, WritesTheScriptByteForByte) {
    const struct {
        const char* name;
        std::string templateBytes;
        std::string expected; // {CALL} stands for the call line
    } rows[] = {
        {"worked example shape", kMarkedTemplate, "setlocal{CALL}\r\necho ready\r\n"},
        {"marker on the first line", "REM INSERT-CALL-PRO-SETUP-HERE\r\necho x\r\n",
         "{CALL}\r\necho x\r\n"},
        {"both markers, a marker inside other text, a lower-case marker",
         "a\r\nREM INSERT-CALL-PRO-SETUP-HERE\r\n\r\necho REM INSERT-CALL-SETUP-HERE now\r\n"
         "rem insert-call-setup-here\r\n",
         "a{CALL}\r\n{CALL}\r\nrem insert-call-setup-here\r\n"},
        {"blank lines kept", "a\r\n\r\n\r\nb\r\n", "a\r\n\r\n\r\nb\r\n"},
        {"line feeds only, with a marker", "a\nREM INSERT-CALL-SETUP-HERE\nb\n", "{CALL}"},
        {"line feeds only, without a marker", "a\nb\n", "a\r\nb\r\n"},
        {"a lone CR joins two lines", "a\rb\r\nc\r\n", "ab\r\nc\r\n"},
        {"a 0 byte ends the text", std::string("a\r\nb\0c\r\nd\r\n", 11), "a\r\nb"},
        {"no final line end", "a\r\nREM INSERT-CALL-SETUP-HERE", "a{CALL}"},
        {"leading CR bytes skipped", "\r\r\na\r\n", "\r\na\r\n"},
        {"empty template", "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::wstring root = folder.Path() + L"\\product";
        InstallAndRun(root, &row.templateBytes);
        bool exists = false;
        const std::string script = ScriptBytes(root, &exists);
        EXPECT_TRUE(exists);
        EXPECT_EQ(Escaped(script), Escaped(Expand(row.expected, root)));
        RemoveTree(root);
    }
}

// The program's own location decides the product root: spaces, and letters above U+00FF (written
// as their low byte).
TEST_F(PostInstallLauncher, FindsTheProductRootFromItsOwnLocation) {
    const struct {
        const char* name;
        std::wstring root;
    } rows[] = {
        {"space", folder.Path() + L"\\My Product 2"},
        {"U+00E9 and U+0141", folder.Path() + L"\\caf\u00e9 \u0141\u00f3d\u017a"},
    };
    const std::string templateBytes = kMarkedTemplate;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        InstallAndRun(row.root, &templateBytes);
        EXPECT_EQ(Escaped(ScriptBytes(row.root)),
                  Escaped(Expand("setlocal{CALL}\r\necho ready\r\n", row.root)));
    }
    // The narrowing keeps the low byte: U+00E9 gives 0xE9 and U+0141 gives 0x41.
    EXPECT_NE(ScriptBytes(rows[1].root).find("caf\xe9 A\xf3\x64\x7a"), std::string::npos);
}

// Drive R: of the test prefix is mapped to an empty folder of the build tree.
TEST(PostInstallOnDriveRoot, WorkedExampleGivesTheDocumentedNinetySixBytes) {
    RemoveTree(L"R:\\Apps");
    const std::string templateBytes = kMarkedTemplate;
    ASSERT_EQ(templateBytes.size(), 50u);
    InstallAndRun(L"R:\\Apps", &templateBytes);
    const std::string script = ScriptBytes(L"R:\\Apps");
    EXPECT_EQ(script.size(), 96u);
    EXPECT_EQ(Escaped(script),
              Escaped("setlocal\r\n CALL "
                      "\"R:\\Apps\\quenda\\vazezazoza.win64\\bin\\run_vazezazoza_env_setup.bat\""
                      "\r\necho ready\r\n"));
    RemoveTree(L"R:\\Apps");
}

TEST(PostInstallOnDriveRoot, ARootDriveGivesTwoBackslashesAfterTheDrive) {
    RemoveTree(L"R:\\quenda");
    const std::string templateBytes = kMarkedTemplate;
    InstallAndRun(L"R:", &templateBytes);
    EXPECT_EQ(Escaped(ScriptBytes(L"R:")),
              Escaped("setlocal\r\n CALL "
                      "\"R:\\\\quenda\\vazezazoza.win64\\bin\\run_vazezazoza_env_setup.bat\""
                      "\r\necho ready\r\n"));
    RemoveTree(L"R:\\quenda");
}

TEST_F(PostInstallLauncher, EmptiesTheScriptWhenNoTemplateCanBeRead) {
    const std::wstring root = folder.Path() + L"\\product";
    const std::wstring bin = root + kBinFolder;
    ASSERT_TRUE(CreateFolders(bin));

    // Missing template: created empty by the read, script emptied.
    ASSERT_TRUE(WriteFileBytes(bin + L"\\run_quendabench.bat", "old script\r\n"));
    InstallAndRun(root, nullptr);
    bool exists = false;
    EXPECT_EQ(ScriptBytes(root), "");
    EXPECT_EQ(ReadFileBytes(bin + L"\\run_quendabench_TEMPLATE.bat", &exists), "");
    EXPECT_TRUE(exists);

    // Template held open by another program without read sharing: script emptied as well.
    ASSERT_TRUE(WriteFileBytes(bin + L"\\run_quendabench.bat", "old script\r\n"));
    ASSERT_TRUE(WriteFileBytes(bin + L"\\run_quendabench_TEMPLATE.bat", kMarkedTemplate));
    HANDLE holder = CreateFileW((bin + L"\\run_quendabench_TEMPLATE.bat").c_str(), GENERIC_WRITE, 0,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    InstallAndRun(root, nullptr);
    CloseHandle(holder);
    EXPECT_EQ(ScriptBytes(root), "");
}

TEST_F(PostInstallLauncher, LeavesATemplateAloneWhenTheScriptCannotBeWritten) {
    const std::wstring root = folder.Path() + L"\\product";
    const std::wstring bin = root + kBinFolder;
    ASSERT_TRUE(CreateFolders(bin));
    // A folder where the script should be: it cannot be opened for writing.
    ASSERT_TRUE(CreateDirectoryW((bin + L"\\run_quendabench.bat").c_str(), nullptr));
    const std::string templateBytes = kMarkedTemplate;
    InstallAndRun(root, &templateBytes);
    EXPECT_EQ(ReadFileBytes(bin + L"\\run_quendabench_TEMPLATE.bat"), kMarkedTemplate);
}

} // namespace
