#include "core/platform_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PlatformRules, EditionTable) {
    constexpr unsigned kServer = 3, kDomainController = 2;
    const struct {
        unsigned major, minor, productType;
        bool hpc; // answer of the HPC test, if it is asked
        int flag;
        bool asksHpc;
    } rows[] = {
        {4, 0, 1, false, setupcore::kNoPlatformFlag, false},
        {5, 0, 1, false, setupcore::kWindows2000, false},
        {5, 0, kServer, false, setupcore::kWindows2000, false},
        {5, 1, 1, false, setupcore::kWindowsXp, false},
        {5, 2, 1, false, setupcore::kWindowsXp, false},
        {5, 2, kServer, false, setupcore::kWindowsServer2003, false},
        {5, 2, kDomainController, false, setupcore::kWindowsServer2003, false},
        {5, 3, 1, false, setupcore::kNoPlatformFlag, false},
        {6, 0, 1, true, setupcore::kWindowsVista, false},
        {6, 0, kServer, false, setupcore::kWindowsServer2008, true},
        {6, 0, kDomainController, true, setupcore::kHpcServer, true},
        {6, 1, 1, true, setupcore::kWindows7, false},
        {6, 1, kServer, false, setupcore::kWindowsServer2008R2, true},
        {6, 1, kServer, true, setupcore::kHpcServer, true},
        {6, 2, 1, false, setupcore::kWindows8, false},
        {6, 2, kServer, true, setupcore::kNoPlatformFlag, false},
        {6, 3, 1, false, setupcore::kNoPlatformFlag, false},
        {6, 3, kServer, false, setupcore::kNoPlatformFlag, false},
        {10, 0, 1, false, setupcore::kNoPlatformFlag, false},
        {10, 0, kServer, true, setupcore::kNoPlatformFlag, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << row.major << "." << row.minor << " type " << row.productType);
        int asked = 0;
        const int flag = setupcore::ClassifyPlatform(row.major, row.minor, row.productType,
                                                     [&] { return ++asked, row.hpc; });
        EXPECT_EQ(flag, row.flag);
        EXPECT_EQ(asked, row.asksHpc ? 1 : 0);
    }
}

} // namespace

namespace {

TEST(PlatformRules, ProcessorIdentifierAndUpperCaseOnTheirOwn) {
    EXPECT_TRUE(setupcore::IsProcessorIdentifier64Bit(L"Intel64 Family 6"));
    EXPECT_TRUE(setupcore::IsProcessorIdentifier64Bit(L"x EM64T"));
    EXPECT_FALSE(setupcore::IsProcessorIdentifier64Bit(L"amd64"));
    EXPECT_FALSE(setupcore::IsProcessorIdentifier64Bit(L""));
    wchar_t text[] = L"Hpc-\u00df1";
    setupcore::CopyUpperAscii(text, text);
    EXPECT_EQ(std::wstring(text), L"HPC-\u00df1");
}

} // namespace
