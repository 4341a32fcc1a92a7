#include "helpers/test_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace testing_support;

namespace {

// The readers run in a program placed five levels below a temporary product root.
class ReleaseSettingsReaders : public ::testing::Test {
  protected:
    TempFolder folder{L"relinfo"};
    std::wstring root = folder.Path() + L"\\product";
    std::wstring programFolder = root + L"\\quenda\\vazezazoza.win64\\bin\\installer";
    std::wstring settingsFolder = root + L"\\commonfiles\\globalsettings";

    void SetUp() override {
        ASSERT_TRUE(CreateFolders(programFolder));
        ASSERT_TRUE(CopyFileW((ThisProgramFolder() + L"\\settings_probe.exe").c_str(),
                              (programFolder + L"\\settings_probe.exe").c_str(), FALSE));
    }

    struct Result {
        int query = -1;
        int fill = -1;
        std::wstring buffer; // count + 4 characters after the fill
    };

    Result Probe(const wchar_t* reader, const std::wstring& replacement = L"") {
        std::wstring command = L"\"" + programFolder + L"\\settings_probe.exe\" " + reader;
        if (!replacement.empty()) {
            command += L" \"" + replacement + L"\"";
        }
        Result result;
        DWORD exitCode = 1;
        EXPECT_TRUE(RunCommandLine(command, &exitCode));
        EXPECT_EQ(exitCode, 0u);
        const std::string bytes = ReadFileBytes(programFolder + L"\\probe-result.bin");
        if (bytes.size() < 8) {
            ADD_FAILURE() << "no probe result";
            return result;
        }
        memcpy(&result.query, bytes.data(), 4);
        memcpy(&result.fill, bytes.data() + 4, 4);
        result.buffer.assign(reinterpret_cast<const wchar_t*>(bytes.data() + 8),
                             (bytes.size() - 8) / 2);
        return result;
    }
};

const wchar_t kSentinel = 0xBEEF;

TEST_F(ReleaseSettingsReaders, ConvertValuesFromUtf8AndCountTheirBytes) {
    ASSERT_TRUE(CreateFolders(settingsFolder));
    ASSERT_TRUE(WriteFileBytes(settingsFolder + L"\\relinfo.xml",
                               "<r>\n  <s startMenuFolderName=\"Tools 18.1\"/>\n"
                               "  <s startMenuShortcutAppendRevision=\"caf\xc3\xa9\"/>\n</r>\n"));
    Result folderName = Probe(L"folder");
    EXPECT_EQ(folderName.query, 11);
    EXPECT_EQ(folderName.fill, 11);
    EXPECT_EQ(folderName.buffer, std::wstring(L"Tools 18.1") + L'\0' + std::wstring(4, kSentinel));

    // 5 bytes, 4 characters: the count is 6, the terminator follows the 4th character.
    Result revision = Probe(L"revision");
    EXPECT_EQ(revision.query, 6);
    EXPECT_EQ(revision.fill, 6);
    EXPECT_EQ(revision.buffer.substr(0, 5), std::wstring(L"caf\u00e9") + L'\0');
    EXPECT_EQ(revision.buffer.substr(6), std::wstring(4, kSentinel));
}

TEST_F(ReleaseSettingsReaders, MissingFileIsCreatedEmptyAndReadsAsEmpty) {
    ASSERT_TRUE(CreateFolders(settingsFolder));
    Result result = Probe(L"folder");
    EXPECT_EQ(result.query, 1);
    EXPECT_EQ(result.fill, 1);
    EXPECT_EQ(result.buffer[0], L'\0');
    bool exists = false;
    EXPECT_EQ(ReadFileBytes(settingsFolder + L"\\relinfo.xml", &exists), "");
    EXPECT_TRUE(exists);
}

TEST_F(ReleaseSettingsReaders, FileHeldWithoutReadSharingReadsAsEmpty) {
    ASSERT_TRUE(CreateFolders(settingsFolder));
    ASSERT_TRUE(WriteFileBytes(settingsFolder + L"\\relinfo.xml", "startMenuFolderName=\"x\""));
    HANDLE holder = CreateFileW((settingsFolder + L"\\relinfo.xml").c_str(), GENERIC_WRITE, 0,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    Result result = Probe(L"folder");
    CloseHandle(holder);
    EXPECT_EQ(result.query, 1);
    EXPECT_EQ(result.buffer[0], L'\0');
}

TEST_F(ReleaseSettingsReaders, ValueThatGrewAfterTheQueryIsNotWrittenPastTheCount) {
    ASSERT_TRUE(CreateFolders(settingsFolder));
    ASSERT_TRUE(WriteFileBytes(settingsFolder + L"\\relinfo.xml", "startMenuFolderName=\"ab\""));
    const std::wstring longer = folder.Path() + L"\\longer.xml";
    ASSERT_TRUE(WriteFileBytes(longer, "startMenuFolderName=\"abcdefghijklmnop\""));
    Result result = Probe(L"folder", longer);
    EXPECT_EQ(result.query, 3);
    EXPECT_EQ(result.fill, 17);
    EXPECT_EQ(result.buffer, std::wstring(1, L'\0') + std::wstring(6, kSentinel));
}

TEST_F(ReleaseSettingsReaders, LocalReaderUsesTheCopyBesideTheProgram) {
    ASSERT_TRUE(CreateFolders(settingsFolder));
    ASSERT_TRUE(WriteFileBytes(settingsFolder + L"\\relinfo.xml",
                               "startMenuShortcutAppendRevision=\"global\""));
    ASSERT_TRUE(WriteFileBytes(programFolder + L"\\relinfo.xml",
                               "startMenuShortcutAppendRevision=\"local\""));
    Result result = Probe(L"local");
    EXPECT_EQ(result.query, 6);
    EXPECT_EQ(result.buffer.substr(0, 6), std::wstring(L"local") + L'\0');
}

} // namespace
