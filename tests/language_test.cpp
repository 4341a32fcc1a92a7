#include "setupsupport.h"
#include "core/language_rules.h"
#include "helpers/test_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testing_support;

namespace {

constexpr wchar_t kSentinel = 0xBEEF;

TEST(LanguageCodeForClass, EmptiesFillsOrLeavesTheBuffer) {
    for (int languageClass = -1; languageClass <= 4; ++languageClass) {
        const wchar_t* code = setupcore::LanguageCodeForClass(languageClass);
        const int count = code != nullptr ? static_cast<int>(wcslen(code)) + 1 : 0;
        for (int capacity = 0; capacity <= 6; ++capacity) {
            SCOPED_TRACE(testing::Message()
                         << "class " << languageClass << " capacity " << capacity);
            wchar_t buffer[8];
            wmemset(buffer, kSentinel, 8);
            EXPECT_EQ(GetLanguageCodeForClass(languageClass, buffer, capacity), count);
            if (code != nullptr && capacity >= count) {
                EXPECT_EQ(std::wstring(buffer), code);
                EXPECT_EQ(buffer[count], kSentinel);
            } else if (capacity > 1) {
                EXPECT_EQ(buffer[0], L'\0');
                EXPECT_EQ(buffer[1], kSentinel);
            } else {
                EXPECT_EQ(buffer[0], kSentinel);
            }
        }
    }
    EXPECT_EQ(GetLanguageCodeForClass(0, nullptr, 0), 6);
}

TEST(ReleaseCode, FixedTextsAndTheRootVariable) {
    wchar_t buffer[32];
    EXPECT_EQ(GetReleaseCode(nullptr, 0), 4);
    wmemset(buffer, kSentinel, 32);
    EXPECT_EQ(GetReleaseCode(buffer, 3), 4);
    EXPECT_EQ(buffer[0], kSentinel);
    EXPECT_EQ(GetReleaseCode(buffer, 4), 0);
    EXPECT_EQ(std::wstring(buffer), L"182");
    EXPECT_EQ(GetReleaseCode(buffer, -1), 4);

    EXPECT_EQ(GetReleaseVersionTag(nullptr, 0), 5);
    EXPECT_EQ(GetReleaseVersionTag(buffer, 4), 5);
    EXPECT_EQ(GetReleaseVersionTag(buffer, 5), 0);
    EXPECT_EQ(std::wstring(buffer), L"v182");

    ASSERT_TRUE(SetEnvironmentVariableW(L"VXR_ROOT182", L"D:\\Vxr\\R182")); // 11 characters
    EXPECT_EQ(GetReleaseRootVariable(nullptr, 0), 12);
    wmemset(buffer, kSentinel, 32);
    EXPECT_EQ(GetReleaseRootVariable(buffer, 11), 12);
    EXPECT_EQ(buffer[0], kSentinel);
    EXPECT_EQ(GetReleaseRootVariable(buffer, 12), 0);
    EXPECT_EQ(std::wstring(buffer), L"D:\\Vxr\\R182");
    ASSERT_TRUE(SetEnvironmentVariableW(L"VXR_ROOT182", nullptr));
    EXPECT_EQ(GetReleaseRootVariable(nullptr, 0), 0);
    EXPECT_EQ(GetReleaseRootVariable(buffer, 32), 0);
}

class LanguageFiles : public ::testing::Test {
  protected:
    TempFolder folder{L"language"};
    std::wstring file = folder.Path() + L"\\languagesettings.txt";
};

TEST_F(LanguageFiles, ReleaseMarkerFirstWord) {
    const struct {
        const char* name;
        std::string bytes;
        std::wstring word;
    } rows[] = {
        {"two words", "  R2  second\r\n", L"R2"},
        {"only white space", " \t\r\n\v\f", L""},
        {"longer than nine characters: cut", "ABCDEFGHIJKLMN rest", L"ABCDEFGHI"},
        {"high bytes are single characters", "\xe9t\xe9", L"\u00e9t\u00e9"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(WriteFileBytes(folder.Path() + L"\\182-1.dvd", row.bytes));
        const int count = static_cast<int>(row.word.size()) + 1;
        EXPECT_EQ(ReadReleaseMarker(folder.Path().c_str(), nullptr, 0), count);
        std::vector<wchar_t> buffer(count + 2, kSentinel);
        EXPECT_EQ(ReadReleaseMarker(folder.Path().c_str(), buffer.data(), count), 0);
        EXPECT_EQ(std::wstring(buffer.data()), row.word);
        EXPECT_EQ(buffer[count], kSentinel);
    }
    // A directory with a trailing backslash gives two in a row, which Windows reads as one.
    EXPECT_EQ(ReadReleaseMarker((folder.Path() + L"\\").c_str(), nullptr, 0), 4); // "\u00e9t\u00e9"
    RemoveTree(folder.Path() + L"\\182-1.dvd");
    EXPECT_EQ(ReadReleaseMarker(folder.Path().c_str(), nullptr, 0), 1);
    wchar_t buffer[4] = {kSentinel, kSentinel, kSentinel, kSentinel};
    EXPECT_EQ(ReadReleaseMarker(folder.Path().c_str(), buffer, 4), 0);
    EXPECT_EQ(buffer[0], L'\0');
}

TEST_F(LanguageFiles, ReadLanguageSettingTakesTheFirstWordAfterItsEquals) {
    const std::string longWord = "lang=" + std::string(60, 'x');
    const struct {
        const char* name;
        std::string bytes;
        int count;
        std::wstring value;
    } rows[] = {
        {"lang=de", "lang=de", 3, L"de"},
        {"x=de", "x=de", 3, L"de"},
        {"a=b=c", "a=b=c", 4, L"b=c"},
        {"empty value", "lang=", 1, L""},
        {"empty file", "", 0, L""},
        {"first word only", "lang=fr lang=de\r\n", 3, L"fr"},
        {"UTF-8 byte-order mark", "\xef\xbb\xbflang=de", 3, L"de"},
        {"no equals in the first word", "lang = de", 0, L""},
        {"word cut at 49 characters", longWord, 45, std::wstring(44, L'x')},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(WriteFileBytes(file, row.bytes));
        EXPECT_EQ(ReadLanguageSetting(file.c_str(), nullptr, 0), row.count);
        std::vector<wchar_t> storage(64, kSentinel);
        wchar_t* buffer = storage.data();
        EXPECT_EQ(ReadLanguageSetting(file.c_str(), &buffer, row.count), row.count);
        EXPECT_EQ(buffer, storage.data());
        EXPECT_EQ(std::wstring(buffer), row.value);
        if (row.count > 1) {
            // One short: the buffer is left empty and the count returned.
            wmemset(storage.data(), kSentinel, 64);
            EXPECT_EQ(ReadLanguageSetting(file.c_str(), &buffer, row.count - 1), row.count);
            EXPECT_EQ(storage[0], L'\0');
            EXPECT_EQ(storage[1], kSentinel);
        }
    }
    EXPECT_EQ(ReadLanguageSetting((folder.Path() + L"\\missing.txt").c_str(), nullptr, 0), 0);
    EXPECT_FALSE(FileExists(folder.Path() + L"\\missing.txt"));
}

// APPDATA points at a temporary folder; the user's locale is the one the run was started with
// (SETUPSUPPORT_EXPECTED_LANGUAGE_CLASS says its class; 0 by default).
class LanguageResolution : public ::testing::Test {
  protected:
    TempFolder appData{L"appdata"};
    TempFolder product{L"product"};
    std::wstring userFile = appData.Path() + L"\\Orvane\\v182\\languagesettings.txt";
    std::wstring commonFile = product.Path() + L"\\commonfiles\\Language\\languagesettings.txt";
    std::wstring previousAppData;
    int localeClass = 0;

    void SetUp() override {
        wchar_t value[1024] = {};
        GetEnvironmentVariableW(L"APPDATA", value, 1024);
        previousAppData = value;
        ASSERT_TRUE(SetEnvironmentVariableW(L"APPDATA", appData.Path().c_str()));
        wchar_t expected[8] = {};
        if (GetEnvironmentVariableW(L"SETUPSUPPORT_EXPECTED_LANGUAGE_CLASS", expected, 8) > 0) {
            localeClass = _wtoi(expected);
        }
    }
    void TearDown() override { SetEnvironmentVariableW(L"APPDATA", previousAppData.c_str()); }

    std::wstring Resolve() {
        const int count = ResolveLanguageCode(product.Path().c_str(), nullptr, 0);
        std::vector<wchar_t> storage(count + 2, kSentinel);
        wchar_t* buffer = storage.data();
        EXPECT_EQ(ResolveLanguageCode(product.Path().c_str(), &buffer, count), 0);
        return count == 0 ? L"(none)" : std::wstring(buffer);
    }
    std::string LocaleLine() const {
        std::string line = "lang=";
        for (const wchar_t* c = setupcore::LanguageCodeForClass(localeClass); *c != 0; ++c) {
            line += static_cast<char>(*c);
        }
        return line;
    }
};

TEST_F(LanguageResolution, LocaleDecidesWithoutSettingsFilesAndNothingIsWritten) {
    EXPECT_EQ(GetLocaleLanguageClass(), localeClass);
    EXPECT_EQ(Resolve(), setupcore::LanguageCodeForClass(localeClass));
    EXPECT_EQ(ResolveLanguageClass(1, product.Path().c_str()), localeClass);
    EXPECT_FALSE(FileExists(appData.Path() + L"\\Orvane"));
}

TEST_F(LanguageResolution, UserFileWinsOverTheProductsFile) {
    ASSERT_TRUE(CreateFolders(appData.Path() + L"\\Orvane\\v182"));
    ASSERT_TRUE(CreateFolders(product.Path() + L"\\commonfiles\\Language"));
    ASSERT_TRUE(WriteFileBytes(commonFile, "lang=de"));
    EXPECT_EQ(Resolve(), L"de"); // user file missing
    EXPECT_FALSE(FileExists(userFile));

    ASSERT_TRUE(WriteFileBytes(userFile, "lang=ja"));
    EXPECT_EQ(Resolve(), L"ja");
    EXPECT_EQ(ResolveLanguageClass(1, product.Path().c_str()), 3);
    EXPECT_EQ(ReadFileBytes(userFile), "lang=ja");

    // An empty user file still wins: no code, the locale's class, saved only when asked.
    ASSERT_TRUE(WriteFileBytes(userFile, ""));
    EXPECT_EQ(Resolve(), L"(none)");
    EXPECT_EQ(ResolveLanguageClass(0, product.Path().c_str()), localeClass);
    EXPECT_EQ(ReadFileBytes(userFile), "");
    EXPECT_EQ(ResolveLanguageClass(1, product.Path().c_str()), localeClass);
    EXPECT_EQ(ReadFileBytes(userFile), LocaleLine());
}

TEST_F(LanguageResolution, UnrecognisedCodeIsRepairedWithTheLocalesCode) {
    ASSERT_TRUE(CreateFolders(appData.Path() + L"\\Orvane\\v182"));
    ASSERT_TRUE(WriteFileBytes(userFile, "lang=EN-US"));
    EXPECT_EQ(ResolveLanguageClass(1, product.Path().c_str()), localeClass);
    EXPECT_EQ(ReadFileBytes(userFile), LocaleLine()); // exactly these bytes, no line end
}

TEST_F(LanguageResolution, SaveUserLanguageSettingCreatesTheFolders) {
    SaveUserLanguageSetting(3, 0);
    EXPECT_FALSE(FileExists(appData.Path() + L"\\Orvane"));
    SaveUserLanguageSetting(3, 1);
    EXPECT_EQ(ReadFileBytes(userFile), "lang=ja");
    SaveUserLanguageSetting(0, 1);
    EXPECT_EQ(ReadFileBytes(userFile), "lang=en-us");

    // Without APPDATA nothing is written, and the user file counts as absent.
    ASSERT_TRUE(SetEnvironmentVariableW(L"APPDATA", nullptr));
    SaveUserLanguageSetting(1, 1);
    EXPECT_EQ(ReadFileBytes(userFile), "lang=en-us");
    EXPECT_EQ(Resolve(), setupcore::LanguageCodeForClass(localeClass));
}

} // namespace
