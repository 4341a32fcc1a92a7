#include "core/quoted_value.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kKey[] = "startMenuFolderName";

TEST(QuotedValueLookup, TakesTheFirstTwoQuotesAfterTheKeysFirstOccurrence) {
    const struct {
        const char* name;
        std::string contents;
        bool found;
        std::string value;
    } rows[] = {
        {"attribute", "<s startMenuFolderName=\"Tools 18.1\" />", true, "Tools 18.1"},
        {"first met in a comment",
         "<!-- startMenuFolderName is \"in comment\" -->\n<s startMenuFolderName=\"real\"/>", true,
         "in comment"},
        {"inside a longer word", "xstartMenuFolderNameX=\"v\"", true, "v"},
        {"element with quotes", "<startMenuFolderName>\"Quoted\"</startMenuFolderName>", true,
         "Quoted"},
        {"element without quotes", "<startMenuFolderName>Plain</startMenuFolderName>", false, ""},
        {"key as a name attribute", "<e name=\"startMenuFolderName\" value=\"X\"/>", true,
         " value="},
        {"empty value", "startMenuFolderName=\"\"", true, ""},
        {"value over two lines", "startMenuFolderName=\"a\r\nb\"", true, "a\r\nb"},
        {"one quote only", "startMenuFolderName=\"open", false, ""},
        {"key in other case", "startmenufoldername=\"v\"", false, ""},
        {"missing key", "<x a=\"b\"/>", false, ""},
        {"UTF-16 file",
         std::string("s\0t\0a\0r\0t\0M\0e\0n\0u\0F\0o\0l\0d\0e\0r\0N\0a\0m\0e\0=\0\"\0v\0\"\0", 46),
         false, ""},
        {"quote after a 0 byte", std::string("startMenuFolderName=\0\"v\"", 24), false, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        setupcore::ByteRange range{999, 999};
        const bool found = setupcore::FindQuotedValue(row.contents.c_str(), kKey, &range);
        EXPECT_EQ(found, row.found);
        if (found) {
            EXPECT_EQ(row.contents.substr(range.offset, range.length), row.value);
        }
    }
}

} // namespace
