#include "setupsupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const wchar_t* const kNull = nullptr;

TEST(ConcatWide, JoinsPiecesInOrderAndSkipsNullPieces) {
    struct Row {
        const char* name;
        wchar_t* joined;
        const wchar_t* expected;
    } rows[] = {
        {"no pieces", ConcatWide(0), L""},
        {"two null pieces", ConcatWide(2, kNull, kNull), L""},
        {"empty release folder name", ConcatWide(3, L"\\", L"", L"\\Brastel\\"), L"\\\\Brastel\\"},
        {"null between pieces", ConcatWide(3, L"D:\\R", kNull, L"\\quenda"), L"D:\\R\\quenda"},
        {"non-ASCII", ConcatWide(2, L"C:\\\u00e9", L"\u0141\U0001F600"),
         L"C:\\\u00e9\u0141\U0001F600"},
    };
    for (Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_NE(row.joined, nullptr);
        EXPECT_EQ(std::wstring(row.joined), row.expected);
        FreeAndNull(&row.joined);
        EXPECT_EQ(row.joined, nullptr);
    }
}

TEST(FreeAndNull, IsSafeOnNullAndOnASecondCall) {
    wchar_t* wide = nullptr;
    FreeAndNull(&wide);
    EXPECT_EQ(wide, nullptr);

    wide = ConcatWide(1, L"x");
    FreeAndNull(&wide);
    FreeAndNull(&wide);
    EXPECT_EQ(wide, nullptr);

    char* bytes = new char[0]; // an allocation of 0 bytes is a valid block
    FreeAndNull(&bytes);
    FreeAndNull(&bytes);
    EXPECT_EQ(bytes, nullptr);
}

} // namespace
