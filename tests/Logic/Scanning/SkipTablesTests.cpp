#include "Logic/Scanning/Locations.h"
#include "Logic/Scanning/SkipTables.h"
#include "Logic/Scanning/StringNormalization.h"
#include "Platform/core/HomeTrash.h"

#include <gtest/gtest.h>
#include <set>

namespace zn {
namespace {

TEST(SkipTables, CountsAndOrder) {
    const auto& rows = skipConditions();
    ASSERT_EQ(rows.size(), 1u);
    const SkipCondition& row = rows[0];
    EXPECT_EQ(row.skipPrefixes, (std::vector<std::string>{"mobiledocuments", "reminders", "dsstore",
                                                          "comapplepasswordmanager"}));
    ASSERT_EQ(row.allowPrefixes.size(), 7u);
    EXPECT_EQ(row.allowPrefixes.front(), "comappleconfigurator");
    EXPECT_EQ(row.allowPrefixes.back(), "comapplelssharedfilelist");

    const auto& risky = highRiskHomeDotPaths();
    ASSERT_EQ(risky.size(), 36u);
    EXPECT_EQ(std::set<std::string>(risky.begin(), risky.end()).size(), 36u);
    EXPECT_EQ(risky.front(), home() + "/.claude");
    EXPECT_EQ(risky[8], home() + "/.git");
    EXPECT_EQ(risky.back(), home() + "/.profile");

    ASSERT_EQ(row.skipPaths.size(), 41u);
    EXPECT_EQ(row.skipPaths[0], HomeTrash(home(), currentDataHomeVariable()).folder());
    EXPECT_EQ(row.skipPaths[1], "/Library/SystemExtensions");
    EXPECT_EQ(row.skipPaths[4], home() + "/Library/Application Support/Google/Chrome/NativeMessagingHosts/"
                                         "com.apple.passwordmanager.json");
    EXPECT_EQ(std::vector<std::string>(row.skipPaths.begin() + 5, row.skipPaths.end()), risky);

    EXPECT_EQ(skipDeepSearch().size(), 147u); // a set: a repeated name would show as a smaller count
}

TEST(SkipTables, PrefixesAreStoredNormalised) {
    const SkipCondition& row = skipConditions()[0];
    for (const auto* list : {&row.skipPrefixes, &row.allowPrefixes})
        for (const std::string& prefix : *list)
            EXPECT_EQ(normalizedForMatching(prefix), prefix);
    // With this row the allow prefixes can exempt nothing.
    for (const std::string& skip : row.skipPrefixes)
        for (const std::string& allow : row.allowPrefixes)
            EXPECT_FALSE(skip.starts_with(allow) || allow.starts_with(skip)) << skip << " " << allow;
}

TEST(SkipTables, BoundariesOfEachReader) {
    const auto& deep = skipDeepSearch();
    EXPECT_TRUE(deep.contains("Mobile Documents"));
    EXPECT_FALSE(deep.contains("mobile documents"));
    EXPECT_TRUE(deep.contains("com.apple.WebInspector"));
    EXPECT_TRUE(deep.contains("Mail"));

    // The high-risk test has a "/" boundary and exact case.
    const auto risky = makeHighRiskHomeDotPaths("/Users/u");
    EXPECT_TRUE(isHighRiskPath("/Users/u/.git", risky));
    EXPECT_TRUE(isHighRiskPath("/Users/u/.ssh/id_ed25519", risky));
    EXPECT_FALSE(isHighRiskPath("/Users/u/.gitignore", risky));
    EXPECT_FALSE(isHighRiskPath("/Users/u/.github/workflows", risky));
    EXPECT_FALSE(isHighRiskPath("/Users/u/.SSH", risky));

    const auto rows = makeSkipConditions("/Users/u", "/fixture");
    EXPECT_EQ(rows[0].skipPaths[0], "/Users/u/.local/share/Trash");
    EXPECT_EQ(makeSkipConditions("/Users/u", "/fixture", "/data")[0].skipPaths[0], "/data/Trash");
    EXPECT_EQ(rows[0].skipPaths[1], "/fixture/Library/SystemExtensions");
    EXPECT_EQ(rows[0].skipPaths.back(), "/Users/u/.profile");
}

} // namespace
} // namespace zn
