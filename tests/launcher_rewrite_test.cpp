#include "core/launcher_rewrite.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The bytes handed to the stream, before text mode turns line feeds into CR LF.
std::string Rewrite(std::string text, const char* callLine) {
    std::string written;
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    setupcore::RewriteLauncherTemplate(buffer.data(), callLine,
                                       [&written](const char* piece) { written += piece; });
    return written;
}

TEST(LauncherRewrite, SplitsAtCarriageReturnsAndReplacesMarkerTokens) {
    const struct {
        const char* name;
        std::string text;
        std::string expected;
    } rows[] = {
        {"worked example", "setlocal\r\nREM INSERT-CALL-SETUP-HERE\r\necho ready\r\n",
         "setlocal<call>\necho ready\n"},
        {"pro marker", "REM INSERT-CALL-PRO-SETUP-HERE", "<call>"},
        {"lower case is no marker", "rem insert-call-setup-here\r\n",
         "rem insert-call-setup-here\n"},
        {"only CR bytes", "\r\r\r", ""},
        {"a 0 byte ends the text", std::string("a\r\nb\0c", 6), "a\nb"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Rewrite(row.text, "<call>"), row.expected);
    }
}

TEST(LauncherRewrite, NarrowingKeepsTheLowEightBits) {
    const wchar_t wide[] = L"D:\\caf\u00e9\u0141\u0100";
    char narrow[16];
    memset(narrow, 0x55, sizeof narrow);
    setupcore::NarrowLow8(wide, narrow);
    EXPECT_EQ(std::string(narrow, 10), std::string("D:\\caf\xe9\x41\0\0", 10));
    EXPECT_EQ(narrow[10], 0x55);
}

} // namespace
