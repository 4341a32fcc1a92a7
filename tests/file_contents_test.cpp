#include "setupsupport.h"
#include "helpers/test_files.h"

#include <gtest/gtest.h>

#include <string>

using namespace testing_support;

namespace {

// A pointer value that no allocation returns: shows whether the variable was written.
char* const kUntouched = reinterpret_cast<char*>(static_cast<uintptr_t>(0x5EB7));

class ReadWholeFileTest : public ::testing::Test {
  protected:
    TempFolder folder{L"read"};
};

TEST_F(ReadWholeFileTest, ReadsEveryByteAndAppendsOneZeroByte) {
    std::string large(3 * 1024 * 1024 + 7, '\0');
    for (size_t i = 0; i < large.size(); ++i) {
        large[i] = static_cast<char>(i * 131 + 7);
    }
    const struct {
        const char* name;
        std::string bytes;
    } rows[] = {
        {"empty", ""},
        {"text with CR LF", "setlocal\r\necho ready\r\n"},
        {"a 0 byte inside", std::string("ab\0cd", 5)},
        {"high bytes", "\xff\xfe\x80\x00\x01"},
        {"three megabytes", large},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::wstring path = folder.Path() + L"\\file.bin";
        ASSERT_TRUE(WriteFileBytes(path, row.bytes));
        char* contents = nullptr;
        EXPECT_EQ(ReadWholeFile(path.c_str(), &contents), 1);
        ASSERT_NE(contents, nullptr);
        EXPECT_EQ(std::string(contents, row.bytes.size() + 1), row.bytes + '\0');
        FreeAndNull(&contents);
    }
}

TEST_F(ReadWholeFileTest, CreatesAMissingFileEmptyInAnExistingFolder) {
    const std::wstring path = folder.Path() + L"\\missing.txt";
    char* contents = nullptr;
    EXPECT_EQ(ReadWholeFile(path.c_str(), &contents), 1);
    ASSERT_NE(contents, nullptr);
    EXPECT_EQ(contents[0], '\0');
    FreeAndNull(&contents);
    bool exists = false;
    EXPECT_EQ(ReadFileBytes(path, &exists), "");
    EXPECT_TRUE(exists);
}

TEST_F(ReadWholeFileTest, LeavesTheVariableAloneWhenTheFileCannotBeOpened) {
    const std::wstring locked = folder.Path() + L"\\locked.txt";
    ASSERT_TRUE(WriteFileBytes(locked, "secret"));
    // Held open without read sharing, as by another program writing it.
    HANDLE holder = CreateFileW(locked.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);

    const std::wstring paths[] = {folder.Path() + L"\\no folder\\file.txt", locked};
    for (const std::wstring& path : paths) {
        char* contents = kUntouched;
        EXPECT_EQ(ReadWholeFile(path.c_str(), &contents), 0);
        EXPECT_EQ(contents, kUntouched);
    }
    CloseHandle(holder);
    EXPECT_FALSE(FileExists(folder.Path() + L"\\no folder"));
}

TEST_F(ReadWholeFileTest, RefusesAFileOfFourGibibytesOrMore) {
    // A sparse file costs no disk space; its size does not fit the 32-bit size the reader takes.
    const std::wstring path = folder.Path() + L"\\huge.bin";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = 0x100000000LL + 5;
    ASSERT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file));
    CloseHandle(file);

    char* contents = nullptr;
    EXPECT_EQ(ReadWholeFile(path.c_str(), &contents), 0);
    ASSERT_NE(contents, nullptr);
    EXPECT_EQ(contents[0], '\0');
    FreeAndNull(&contents);
}

} // namespace
