#include "setupsupport.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kSentinel = 0xBEEF;

std::wstring OwnPath() {
    std::vector<wchar_t> buffer(32768);
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::wstring(buffer.data(), length);
}

TEST(StripLastComponent, CutsAfterTheLastBackslash) {
    const struct {
        const wchar_t* path;
        const wchar_t* expected;
        int result;
    } rows[] = {
        {L"D:\\a\\b\\prog.exe", L"D:\\a\\b\\", 1},
        {L"D:\\a\\b\\", L"D:\\a\\", 1},
        {L"D:\\", L"D:\\", 1},
        {L"prog.exe", L"prog.exe", 0},
        {L"", L"", 0},
        {L"\\\\server\\share\\R", L"\\\\server\\share\\", 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.path)));
        wchar_t buffer[64];
        wcscpy(buffer, row.path);
        EXPECT_EQ(StripLastComponent(buffer), row.result);
        EXPECT_EQ(std::wstring(buffer), row.expected);
    }
}

TEST(StripPathLevels, WalksFiveLevelsUpAndStopsAtADriveRoot) {
    const struct {
        const wchar_t* source;
        const wchar_t* expected;
    } rows[] = {
        {L"D:\\R\\a\\b\\c\\d\\prog.exe", L"D:\\R"},
        {L"D:\\R\\S\\a\\b\\c\\d\\prog.exe", L"D:\\R\\S"},
        {L"D:\\a\\b\\c\\d\\prog.exe", L"D:\\"},
        {L"D:\\a\\b\\prog.exe", L"D:\\"},
        {L"D:\\prog.exe", L"D:\\"},
        {L"\\\\server\\share\\R\\a\\b\\c\\d\\prog.exe", L"\\\\server\\share\\R"},
        {L"prog.exe", L"prog.exe"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.source)));
        std::vector<wchar_t> destination(wcslen(row.source) + 1, kSentinel);
        StripPathLevels(row.source, destination.data());
        EXPECT_EQ(std::wstring(destination.data()), row.expected);
    }
}

// Both size queries: a null buffer gives the count of the program's path; one character less
// leaves the buffer untouched; exactly the count fills it.
TEST(ProgramLocation, SizeQueriesFollowTheProgramPathCount) {
    const std::wstring own = OwnPath();
    const int count = static_cast<int>(own.size()) + 1;
    std::wstring root = own;
    for (int level = 0; level < 5; ++level) {
        root.erase(root.find_last_of(L'\\'));
    }
    if (root.size() == 2 && root[1] == L':') {
        root += L'\\'; // a drive root keeps its backslash
    }

    const struct {
        const char* name;
        int (*operation)(wchar_t*, int);
        std::wstring expected;
    } rows[] = {
        {"GetModulePath", GetModulePath, own},
        {"GetProductRoot", GetProductRoot, root},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.operation(nullptr, 0), count);

        std::vector<wchar_t> buffer(count + 4, kSentinel);
        EXPECT_EQ(row.operation(buffer.data(), count - 1), count);
        EXPECT_EQ(buffer[0], kSentinel);
        EXPECT_EQ(row.operation(nullptr, count), count); // no buffer, nothing written

        EXPECT_EQ(row.operation(buffer.data(), count), 0);
        EXPECT_EQ(std::wstring(buffer.data()), row.expected);
        EXPECT_EQ(buffer[count], kSentinel);
    }
}

} // namespace
