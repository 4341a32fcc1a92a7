// postinstall then preuninstall on product trees built to be awkward. After each pair: both exit
// with 0, nothing changed in the product tree but the launcher script (and the template or
// relinfo.xml that a read creates when missing), and both Programs folders list exactly what they
// listed before.
#include "helpers/test_files.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <functional>
#include <map>
#include <string>

using namespace testing_support;

namespace {

const wchar_t kBin[] = L"\\quenda\\vazezazoza.win64\\bin";
const char kTemplate[] = "setlocal\r\nREM INSERT-CALL-SETUP-HERE\r\necho ready\r\n";

// Every file and folder below `root` with the size of each file.
void List(const std::wstring& root, const std::wstring& relative,
          std::map<std::wstring, long long>* entries) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Extended(root + relative + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        const std::wstring path = relative + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            (*entries)[path + L"\\"] = -1;
            List(root, path, entries);
        } else {
            (*entries)[path] =
                (static_cast<long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

std::map<std::wstring, long long> Listing(const std::wstring& root) {
    std::map<std::wstring, long long> entries;
    List(root, L"", &entries);
    return entries;
}

std::wstring Folder(int csidl) {
    wchar_t path[MAX_PATH + 1] = {};
    SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE);
    return path;
}

struct Case {
    const char* name;
    std::wstring rootName;                                 // below the temporary folder
    std::function<void(const std::wstring& root)> prepare; // lays out relinfo.xml and more
    std::string templateBytes = kTemplate;
};

void WriteSettings(const std::wstring& root, const std::string& bytes) {
    ASSERT_TRUE(CreateFolders(root + L"\\commonfiles\\globalsettings"));
    ASSERT_TRUE(WriteFileBytes(root + L"\\commonfiles\\globalsettings\\relinfo.xml", bytes));
}

std::string Named(const std::string& name) {
    return "<r startMenuFolderName=\"" + name + "\" startMenuShortcutAppendRevision=\"1\"/>";
}

class BadInput : public ::testing::Test {
  protected:
    TempFolder folder{L"bad"};

    void RunPair(const Case& row, const std::wstring& root) {
        ASSERT_TRUE(CreateFolders(root + kBin + L"\\installer"));
        for (const wchar_t* program : {L"\\postinstall.exe", L"\\preuninstall.exe"}) {
            ASSERT_TRUE(CopyFileW((ThisProgramFolder() + program).c_str(),
                                  Extended(root + kBin + L"\\installer" + program).c_str(), FALSE));
        }
        ASSERT_TRUE(
            WriteFileBytes(root + kBin + L"\\run_quendabench_TEMPLATE.bat", row.templateBytes));
        row.prepare(root);

        const auto common = Listing(Folder(CSIDL_COMMON_PROGRAMS));
        const auto user = Listing(Folder(CSIDL_PROGRAMS));
        const auto dataRoot = Listing(Folder(CSIDL_COMMON_APPDATA) + L"\\..");
        auto tree = Listing(root);
        for (const wchar_t* program : {L"postinstall.exe", L"preuninstall.exe"}) {
            DWORD exitCode = 1;
            ASSERT_TRUE(RunProgram(root + kBin + L"\\installer\\" + program, &exitCode));
            EXPECT_EQ(exitCode, 0u) << program;
        }
        EXPECT_TRUE(Listing(Folder(CSIDL_COMMON_PROGRAMS)) == common)
            << "all-users Start Menu changed";
        EXPECT_TRUE(Listing(Folder(CSIDL_PROGRAMS)) == user) << "user's Start Menu changed";
        EXPECT_TRUE(Listing(Folder(CSIDL_COMMON_APPDATA) + L"\\..") == dataRoot)
            << "the drive's top level changed";
        auto after = Listing(root);
        // What the programs may write in the product tree.
        for (const std::wstring& allowed :
             {std::wstring(kBin) + L"\\run_quendabench.bat",
              std::wstring(L"\\commonfiles\\globalsettings\\relinfo.xml")}) {
            after.erase(allowed);
            tree.erase(allowed);
        }
        for (const auto& entry : after) {
            EXPECT_TRUE(tree.count(entry.first) == 1 && tree[entry.first] == entry.second)
                << "written in the product tree: " << testing::PrintToString(entry.first);
        }
        EXPECT_EQ(after.size(), tree.size());
    }
};

TEST_F(BadInput, ProductTreesBuiltToBeAwkward) {
    const std::string tenMegabytes(10 * 1024 * 1024, 'x');
    const Case rows[] = {
        {"relinfo.xml of 10 MB", L"p",
         [&](const std::wstring& r) { WriteSettings(r, tenMegabytes + Named("Big Settings")); }},
        {"value of 100 000 bytes", L"p",
         [](const std::wstring& r) { WriteSettings(r, Named(std::string(100000, 'v'))); }},
        {"invalid UTF-8 in a value", L"p",
         [](const std::wstring& r) { WriteSettings(r, Named("Bad \xff\xfe\xc3 UTF")); }},
        {"0 byte before the key", L"p",
         [](const std::wstring& r) { WriteSettings(r, std::string("\0", 1) + Named("Hidden")); }},
        {"folder named relinfo.xml", L"p",
         [](const std::wstring& r) {
             ASSERT_TRUE(CreateFolders(r + L"\\commonfiles\\globalsettings\\relinfo.xml"));
         }},
        {"release folder name with ..", L"p",
         [](const std::wstring& r) { WriteSettings(r, Named("..\\..\\..\\..\\BadX")); }},
        {"release folder name with a colon", L"p",
         [](const std::wstring& r) { WriteSettings(r, Named("C:\\BadX")); }},
        {"stream colon", L"p",
         [](const std::wstring& r) { WriteSettings(r, Named("BadX:stream")); }},
        {"trailing dot and space", L"p",
         [](const std::wstring& r) { WriteSettings(r, Named("BadX. ")); }},
        {"device name", L"p", [](const std::wstring& r) { WriteSettings(r, Named("NUL")); }},
        {"300 characters", L"p",
         [](const std::wstring& r) { WriteSettings(r, Named(std::string(300, 'n'))); }},
        {"only CR bytes", L"p", [](const std::wstring& r) { WriteSettings(r, Named("CR Only")); },
         std::string(4096, '\r')},
        {"only markers", L"p", [](const std::wstring& r) { WriteSettings(r, Named("Markers")); },
         "REM INSERT-CALL-SETUP-HERE\rREM INSERT-CALL-PRO-SETUP-HERE\r\n"},
        {"no line end", L"p", [](const std::wstring& r) { WriteSettings(r, Named("No End")); },
         "REM INSERT-CALL-SETUP-HERE"},
        {"root outside the Basic Multilingual Plane", L"p \U0001F600\U00010348",
         [](const std::wstring& r) { WriteSettings(r, Named("Astral")); }},
    };
    for (const Case& row : rows) {
        SCOPED_TRACE(row.name);
        const std::wstring root = folder.Path() + L"\\" + row.rootName;
        RunPair(row, root);
        RemoveTree(root);
    }
}

TEST_F(BadInput, SettingsHeldWithoutReadSharing) {
    // relinfo.xml held open without read sharing for the whole pair.
    const std::wstring locked = folder.Path() + L"\\locked";
    HANDLE holder = INVALID_HANDLE_VALUE;
    RunPair({"locked relinfo.xml", L"locked",
             [&holder](const std::wstring& r) {
                 WriteSettings(r, Named("Locked"));
                 holder = CreateFileW((r + L"\\commonfiles\\globalsettings\\relinfo.xml").c_str(),
                                      GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
                 ASSERT_NE(holder, INVALID_HANDLE_VALUE);
             }},
            locked);
    CloseHandle(holder);
}

TEST_F(BadInput, ProductOnADriveRoot) {
    RemoveTree(L"R:\\quenda");
    RemoveTree(L"R:\\commonfiles");
    RunPair(
        {"drive root", L"", [](const std::wstring& r) { WriteSettings(r, Named("Drive Root")); }},
        L"R:");
    RemoveTree(L"R:\\quenda");
    RemoveTree(L"R:\\commonfiles");
}

TEST_F(BadInput, TemplateOfOneHundredMegabytes) {
    std::string big;
    big.reserve(100 * 1024 * 1024);
    while (big.size() < 100 * 1024 * 1024) {
        big += "echo line of a very large launcher template\r\nREM INSERT-CALL-SETUP-HERE\r\n";
    }
    RunPair({"template of 100 MB", L"big",
             [](const std::wstring& r) { WriteSettings(r, Named("Big")); }, big},
            folder.Path() + L"\\big");
}

} // namespace
