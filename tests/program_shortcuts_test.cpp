// postinstall and preuninstall end to end: both programs copied five levels below a temporary
// product root with its relinfo.xml, run, and the Start Menu checked on disk afterwards.
#include "helpers/restricted_token.h"
#include "helpers/shortcut_reader.h"
#include "helpers/test_files.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>

using namespace testing_support;

namespace {

const wchar_t kInstall[] = L"\\quenda\\vazezazoza.win64";

std::wstring CommonPrograms() {
    wchar_t path[MAX_PATH + 1] = {};
    SHGetSpecialFolderPathW(nullptr, path, CSIDL_COMMON_PROGRAMS, FALSE);
    return path;
}

std::string Utf8(const std::wstring& text) {
    std::string bytes(text.size() * 3, '\0');
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0],
                            static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(length);
    return bytes;
}

class ProgramShortcuts : public ::testing::Test {
  protected:
    TempFolder folder{L"programs"};
    std::wstring root = folder.Path() + L"\\product";
    std::wstring installDirectory = root + kInstall;
    std::wstring programFolder = installDirectory + L"\\bin\\installer";
    std::wstring programs = CommonPrograms();
    std::wstring tag = std::to_wstring(GetCurrentProcessId());

    void SetUp() override {
        ASSERT_TRUE(CreateFolders(programFolder));
        ASSERT_TRUE(CreateFolders(root + L"\\commonfiles\\globalsettings"));
        for (const wchar_t* program : {L"\\postinstall.exe", L"\\preuninstall.exe"}) {
            ASSERT_TRUE(CopyFileW((ThisProgramFolder() + program).c_str(),
                                  (programFolder + program).c_str(), FALSE));
        }
    }

    void WriteSettings(const std::string& xml) {
        ASSERT_TRUE(WriteFileBytes(root + L"\\commonfiles\\globalsettings\\relinfo.xml", xml));
    }

    void WriteSettings(const std::wstring& name, const std::wstring& revision) {
        WriteSettings("<releaseInfo>\r\n  <setting startMenuFolderName=\"" + Utf8(name) +
                      "\" />\r\n  <setting startMenuShortcutAppendRevision=\"" + Utf8(revision) +
                      "\" />\r\n</releaseInfo>\r\n");
    }

    void Run(const wchar_t* program) {
        DWORD exitCode = 1;
        ASSERT_TRUE(RunProgram(programFolder + L"\\" + program, &exitCode))
            << program << " could not be started: error " << GetLastError();
        EXPECT_EQ(exitCode, 0u);
    }

    // The shell link object stores the target without the double quotes it was given.
    void ExpectShortcut(const std::wstring& link, const std::wstring& target,
                        const wchar_t* arguments, const wchar_t* description,
                        const std::wstring& icon) {
        const ShortcutFields fields = ReadShortcut(link);
        ASSERT_TRUE(fields.loaded) << "cannot load " << testing::PrintToString(link);
        EXPECT_EQ(fields.path, target);
        EXPECT_EQ(fields.arguments, arguments);
        EXPECT_EQ(fields.workingDirectory, installDirectory);
        EXPECT_EQ(fields.description, description);
        EXPECT_EQ(fields.iconPath, icon);
        EXPECT_EQ(fields.iconIndex, 0);
        EXPECT_EQ(fields.showCommand, SW_SHOWNORMAL);
    }
    void ExpectLaunchShortcut(const std::wstring& link) {
        ExpectShortcut(link, installDirectory + L"\\bin\\run_quendabench.bat", L"Pro",
                       L"Launch Quenda Workbench User Interface",
                       installDirectory + L"\\images\\workbench32.ico");
    }
    void ExpectManualShortcut(const std::wstring& link) {
        const std::wstring manual = installDirectory + L"\\docs\\Quenda_Workbench.pdf";
        ExpectShortcut(link, manual, L"", L"Display Online PDF Manual", manual);
    }
};

TEST_F(ProgramShortcuts, InstallThenUninstallLeavesTheStartMenuAsItWas) {
    const std::wstring name = L"Quenda QA \u00e9\u0141 " + tag;
    WriteSettings(name, L"4.2.1");
    const std::wstring release = programs + L"\\" + name;
    const std::wstring launch = release + L"\\Brastel\\Quenda Workbench 4.2.1.lnk";
    const std::wstring manual = release + L"\\Brastel\\Documentation\\Quenda Workbench 4.2.1.lnk";

    Run(L"postinstall.exe");
    ExpectLaunchShortcut(launch);
    ExpectManualShortcut(manual);

    // A second run replaces both links with equal ones. (Not byte for byte: a link records the
    // modification times of the folders on the way to its target.)
    Run(L"postinstall.exe");
    ExpectLaunchShortcut(launch);
    ExpectManualShortcut(manual);

    Run(L"preuninstall.exe");
    EXPECT_FALSE(FileExists(launch));
    EXPECT_FALSE(FileExists(manual));
    EXPECT_FALSE(FileExists(release)) << "release folder left behind";
    EXPECT_TRUE(FileExists(programs));

    // A second run finds nothing and changes nothing.
    Run(L"preuninstall.exe");
    EXPECT_FALSE(FileExists(release));
}

TEST_F(ProgramShortcuts, UninstallKeepsWhatOthersPutInTheFolders) {
    const std::wstring name = L"Quenda Shared " + tag;
    WriteSettings(name, L"7");
    const std::wstring release = programs + L"\\" + name;
    Run(L"postinstall.exe");
    // Another product family's folder in the release folder, and a hidden file in Documentation.
    ASSERT_TRUE(CreateFolders(release + L"\\Other Family"));
    ASSERT_TRUE(WriteFileBytes(release + L"\\Other Family\\Other.lnk", ""));
    const std::wstring hidden = release + L"\\Brastel\\Documentation\\desktop.ini";
    ASSERT_TRUE(WriteFileBytes(hidden, "[.ShellClassInfo]\r\n"));
    SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);

    Run(L"preuninstall.exe");
    EXPECT_FALSE(FileExists(release + L"\\Brastel\\Quenda Workbench 7.lnk"));
    EXPECT_FALSE(FileExists(release + L"\\Brastel\\Documentation\\Quenda Workbench 7.lnk"));
    EXPECT_TRUE(FileExists(hidden));
    EXPECT_TRUE(FileExists(release + L"\\Other Family\\Other.lnk"));
    RemoveTree(release);
}

TEST_F(ProgramShortcuts, NestedReleaseFolderName) {
    const std::wstring outer = L"Quenda Outer " + tag;
    WriteSettings(outer + L"\\Inner", L"1");
    Run(L"postinstall.exe");
    const std::wstring release = programs + L"\\" + outer + L"\\Inner";
    ExpectLaunchShortcut(release + L"\\Brastel\\Quenda Workbench 1.lnk");
    ExpectManualShortcut(release + L"\\Brastel\\Documentation\\Quenda Workbench 1.lnk");

    Run(L"preuninstall.exe");
    EXPECT_FALSE(FileExists(release));
    // The top-level removal works on the name as given (Outer\Inner); Outer itself stays.
    EXPECT_TRUE(FileExists(programs + L"\\" + outer));
    RemoveTree(programs + L"\\" + outer);
}

// No startMenuFolderName and no revision: the links go to <Programs>\Brastel as "Quenda
// Workbench .lnk", and preuninstall removes them and Brastel, never the Programs folder.
TEST_F(ProgramShortcuts, EmptyReleaseFolderNameAndRevision) {
    WriteSettings("<releaseInfo/>\r\n");
    RemoveTree(programs + L"\\Brastel");
    Run(L"postinstall.exe");
    const std::wstring launch = programs + L"\\Brastel\\Quenda Workbench .lnk";
    const std::wstring manual = programs + L"\\Brastel\\Documentation\\Quenda Workbench .lnk";
    ExpectLaunchShortcut(launch);
    ExpectManualShortcut(manual);

    Run(L"preuninstall.exe");
    EXPECT_FALSE(FileExists(launch));
    EXPECT_FALSE(FileExists(manual));
    EXPECT_FALSE(FileExists(programs + L"\\Brastel"));
    EXPECT_TRUE(FileExists(programs));
}

TEST_F(ProgramShortcuts, MissingSettingsFileIsCreatedEmpty) {
    RemoveTree(programs + L"\\Brastel");
    Run(L"postinstall.exe");
    bool exists = false;
    EXPECT_EQ(ReadFileBytes(root + L"\\commonfiles\\globalsettings\\relinfo.xml", &exists), "");
    EXPECT_TRUE(exists);
    EXPECT_TRUE(FileExists(programs + L"\\Brastel\\Quenda Workbench .lnk"));
    Run(L"preuninstall.exe");
    EXPECT_FALSE(FileExists(programs + L"\\Brastel"));
}

} // namespace

namespace {

// Starts a program with a copy of this process's token in which Administrators is deny-only.
bool RunAsFilteredAdministrator(const std::wstring& program, DWORD* exitCode) {
    HANDLE restricted = CreateFilteredAdministratorToken();
    if (restricted == nullptr) {
        return false;
    }
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    const bool started =
        CreateProcessAsUserW(restricted, program.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                             0, nullptr, nullptr, &startup, &info) != 0;
    if (started) {
        WaitForSingleObject(info.hProcess, 60000);
        GetExitCodeProcess(info.hProcess, exitCode);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    CloseHandle(restricted);
    return started;
}

std::wstring UserPrograms() {
    wchar_t path[MAX_PATH + 1] = {};
    SHGetSpecialFolderPathW(nullptr, path, CSIDL_PROGRAMS, FALSE);
    return path;
}

// Install and uninstall as {administrator, filtered administrator} x {the same, the other}. The
// installing user's Programs folder gets the shortcuts; an uninstall by the other kind of user
// works in the other folder and leaves them in place; neither touches the other folder.
TEST_F(ProgramShortcuts, BothKindsOfUserInstallAndUninstall) {
    const struct {
        const char* name;
        bool installFiltered;
        bool uninstallFiltered;
    } rows[] = {
        {"administrator, administrator", false, false},
        {"administrator, filtered", false, true},
        {"filtered, administrator", true, false},
        {"filtered, filtered", true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::wstring name = L"Quenda Users " + tag;
        WriteSettings(name, L"3");
        const std::wstring installed =
            (row.installFiltered ? UserPrograms() : programs) + L"\\" + name;
        const std::wstring other = (row.installFiltered ? programs : UserPrograms()) + L"\\" + name;
        auto run = [this](bool filtered, const wchar_t* program) {
            DWORD exitCode = 1;
            if (filtered) {
                ASSERT_TRUE(RunAsFilteredAdministrator(programFolder + L"\\" + program, &exitCode));
                EXPECT_EQ(exitCode, 0u);
            } else {
                Run(program);
            }
        };
        run(row.installFiltered, L"postinstall.exe");
        const std::wstring launch = installed + L"\\Brastel\\Quenda Workbench 3.lnk";
        ExpectLaunchShortcut(launch);
        EXPECT_FALSE(FileExists(other));

        run(row.uninstallFiltered, L"preuninstall.exe");
        const bool sameKind = row.installFiltered == row.uninstallFiltered;
        EXPECT_EQ(FileExists(launch), !sameKind) << "shortcuts of the other kind of user";
        EXPECT_EQ(FileExists(installed), !sameKind);
        EXPECT_FALSE(FileExists(other));
        RemoveTree(installed);
    }
}

} // namespace

namespace {

// Release folder names and revisions from relinfo.xml that would climb out of the Programs
// folder: nothing is created there, and nothing planted there is deleted.
TEST_F(ProgramShortcuts, NamesThatClimbOutOfTheProgramsFolderAreRefused) {
    wchar_t common[MAX_PATH + 1] = {};
    SHGetSpecialFolderPathW(nullptr, common, CSIDL_COMMON_APPDATA, FALSE); // C:\ProgramData
    const std::wstring outside = std::wstring(common) + L"\\AccX" + tag;
    const struct {
        const char* name;
        std::wstring folderName;
        std::wstring revision;
    } rows[] = {
        {"release folder name climbing", L"..\\..\\..\\..\\AccX" + tag, L"1"},
        {"revision climbing", L"Quenda Rev " + tag, L"..\\..\\..\\..\\..\\..\\AccX" + tag + L"\\x"},
        {"drive in the name", L"C:\\AccX" + tag, L"1"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        WriteSettings(row.folderName, row.revision);
        // A link planted where the climbing path points survives preuninstall.
        ASSERT_TRUE(CreateFolders(outside + L"\\Brastel"));
        ASSERT_TRUE(WriteFileBytes(outside + L"\\Brastel\\Quenda Workbench 1.lnk", "planted"));
        Run(L"postinstall.exe");
        EXPECT_EQ(ReadFileBytes(outside + L"\\Brastel\\Quenda Workbench 1.lnk"), "planted");
        EXPECT_FALSE(FileExists(outside + L"\\Brastel\\Documentation"));
        Run(L"preuninstall.exe");
        EXPECT_EQ(ReadFileBytes(outside + L"\\Brastel\\Quenda Workbench 1.lnk"), "planted");
        RemoveTree(outside);
        RemoveTree(programs + L"\\Quenda Rev " + tag);
    }
}

} // namespace
