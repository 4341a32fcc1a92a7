#include "core/path_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const wchar_t kPrograms[] = L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";

TEST(PathContainment, AcceptsOnlyPlainNamesBelowTheFolder) {
    const struct {
        const wchar_t* rest; // appended to the Programs folder
        bool inside;
    } rows[] = {
        {L"\\Quenda 4\\Brastel\\\\Quenda Workbench 4.2.1.lnk", true},
        {L"\\\\Brastel\\Documentation\\", true}, // empty release folder name
        {L"\\Outer\\Inner\\Brastel\\", true},
        {L"\\Quenda.\\Brastel\\", false}, // Windows would drop the dot: removal would miss it
        {L"\\Quenda \\Brastel\\", false},
        {L"\\Quenda Workbench .lnk", true},
        {L"\\caf\u00e9 \U0001F600\\", true},
        {L"\\..\\..\\..\\..\\AccX\\Brastel\\", false},
        {L"\\Quenda\\Brastel\\\\Quenda Workbench ..\\..\\..\\x.lnk", false},
        {L"\\.\\Brastel\\", false},
        {L"\\...\\Brastel\\", false},
        {L"\\. .\\Brastel\\", false},
        {L"\\.. \\Brastel\\", false},
        {L"\\a/../../x\\", false},
        {L"\\C:\\Windows\\", false},
        {L"\\name:stream\\", false},
        {L"\\\\?\\C:\\x\\", false},
        {L"\\\\.\\pipe\\x", false},
        {L"\\NUL\\Brastel\\", false},
        {L"\\con.lnk", false},
        {L"\\Quenda\\COM1 .lnk", false},
        {L"\\lpt\u00b9\\", false},
        {L"\\CONOUT$\\", false},
        {L"\\Console\\", true},
        {L"\\a\tb\\", false},
        {L"\\a*b\\", false},
        {L"X\\Brastel\\", false}, // no separator: glued to the Programs folder's name
        {L"", false},
    };
    for (const auto& row : rows) {
        const std::wstring composed = std::wstring(kPrograms) + row.rest;
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.rest)));
        EXPECT_EQ(setupcore::IsInsideFolder(kPrograms, composed.c_str()), row.inside);
    }
    EXPECT_FALSE(setupcore::IsInsideFolder(L"", L"\\x"));
    EXPECT_FALSE(setupcore::IsInsideFolder(kPrograms, L"C:\\ProgramData\\x"));
}

TEST(PathContainment, CollapseSeparatorsKeepsTheUncPrefix) {
    const struct {
        const wchar_t* path;
        const wchar_t* expected;
    } rows[] = {
        {L"C:\\P\\\\Brastel\\", L"C:\\P\\Brastel\\"},
        {L"\\\\server\\share\\\\\\x", L"\\\\server\\share\\x"},
        {L"", L""},
        {L"\\", L"\\"},
    };
    for (const auto& row : rows) {
        std::wstring text = row.path;
        setupcore::CollapseSeparators(&text[0]);
        EXPECT_EQ(std::wstring(text.c_str()), row.expected);
    }
}

} // namespace
