#include "core/language_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(LanguageRules, EveryTableIdentifierAndSomeOutside) {
    const struct {
        std::vector<unsigned> ids;
        int languageClass;
    } tables[] = {
        {{0x0409, 0x0809, 0x0c09, 0x2809, 0x1009, 0x2409, 0x3c09, 0x4009, 0x3809, 0x1809, 0x2009,
          0x4409, 0x1409, 0x3409, 0x4809, 0x1c09, 0x2c09, 0x3009},
         0},
        {{0x0407, 0x0c07, 0x1407, 0x1007, 0x0807}, 1},
        {{0x040c, 0x080c, 0x2c0c, 0x0c0c, 0x240c, 0x300c, 0x3c0c, 0x140c, 0x340c, 0x180c, 0x380c,
          0xe40c, 0x200c, 0x280c, 0x100c, 0x1c0c},
         2},
        {{0x0411}, 3},
        // Outside every table: Spanish, Chinese, neutral German and French, Korean.
        {{0x0c0a, 0x0804, 0x0007, 0x000c, 0x0412, 0x0000}, 0},
    };
    for (const auto& table : tables) {
        for (unsigned id : table.ids) {
            SCOPED_TRACE(testing::Message() << std::hex << "0x" << id);
            EXPECT_EQ(setupcore::LanguageClassForLocale(id, true), table.languageClass);
            EXPECT_EQ(setupcore::LanguageClassForLocale(id, false), 0);
        }
    }
}

TEST(LanguageRules, FirstWordAndSettingValue) {
    const struct {
        const char* name;
        std::string bytes;
        size_t maxChars;
        std::wstring word;
    } rows[] = {
        {"leading white space", " \t\r\n\v\flang=de rest", 49, L"lang=de"},
        {"cut at the bound", "ABCDEFGHIJKL", 9, L"ABCDEFGHI"},
        {"empty", "", 9, L""},
        {"a 0 byte is a character", std::string("a\0b c", 5), 9, std::wstring(L"a\0b", 3)},
        {"bytes above 0x7F", "\xe9\xff", 9, L"\u00e9\u00ff"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        size_t at = 0;
        std::vector<wchar_t> word(row.maxChars + 2, static_cast<wchar_t>(0x7777));
        const size_t length = setupcore::ScanFirstWord(
            [&] {
                return at < row.bytes.size() ? static_cast<unsigned char>(row.bytes[at++]) : -1;
            },
            row.maxChars, word.data());
        EXPECT_EQ(std::wstring(word.data(), length), row.word);
        EXPECT_EQ(word[length], L'\0');
        EXPECT_EQ(word[row.maxChars + 1], static_cast<wchar_t>(0x7777));
    }
    EXPECT_EQ(std::wstring(setupcore::SettingValue(L"a=b=c")), L"b=c");
    EXPECT_EQ(std::wstring(setupcore::SettingValue(L"lang=")), L"");
    EXPECT_EQ(setupcore::SettingValue(L"lang"), nullptr);
}

} // namespace
