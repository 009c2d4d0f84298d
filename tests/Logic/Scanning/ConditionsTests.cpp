#include "Logic/Scanning/Conditions.h"
#include "Logic/Scanning/StringNormalization.h"
#include "support/FixtureTree.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

using Terms = std::vector<std::string>;

TEST(Conditions, TableRowsStoredNormalised) {
    const auto& rows = appConditions();
    ASSERT_EQ(rows.size(), 26u);
    EXPECT_EQ(&rows, &appConditions()); // built once

    EXPECT_EQ(rows[0].bundleID, "comappledtxcode");
    EXPECT_EQ(rows[0].includeTerms, (Terms{"comappledt", "xcode", "simulator"}));
    EXPECT_EQ(rows[0].excludeTerms,
              (Terms{"comrobotsandpencilsxcodesapp", "comxcodesorgxcodesapp", "comoneminutegamesxcodecleaner",
                     "iohyperappxcodecleaner", "availablexcodes", "xcodes", "cleanerforxcode"}));
    EXPECT_EQ(rows[1].excludeTerms, rows[2].excludeTerms);
    EXPECT_EQ(rows[9].excludeTerms, Terms{"thunderbird"});
    EXPECT_EQ(rows[10].excludeTerms, Terms{"thunderbird"});
    EXPECT_EQ(rows[16].bundleID, "jetbrains");
    EXPECT_EQ(rows[17].bundleID, "comnativeinstrumentsnativeaccess");
    EXPECT_EQ(rows[20].bundleID, "euexelbanstats");
    EXPECT_EQ(rows[20].excludeTerms, Terms{"video"});
    EXPECT_EQ(rows[21].bundleID, "memhaeuserbatterytoolkit");
    EXPECT_EQ(rows[21].includeTerms, Terms{"memhaeuser"});
    EXPECT_EQ(rows[23].includeTerms, Terms{"bstboostinterprocess"});
    EXPECT_EQ(rows[25].includeTerms, Terms{"archonloginhelper"});

    for (const AppCondition& row : rows) {
        EXPECT_EQ(normalizedForMatching(row.bundleID), row.bundleID);
        for (const auto* terms : {&row.includeTerms, &row.excludeTerms})
            for (const std::string& term : *terms)
                EXPECT_EQ(normalizedForMatching(term), term);
        EXPECT_FALSE(row.forceExcludePaths.has_value());
    }
    EXPECT_FALSE(rows[4].forceIncludePaths.has_value());
}

TEST(Conditions, ForcePathsAreJudgedWhenTheRowIsBuilt) {
    test::FixtureTree tree;
    const std::string home = tree.folder("home");
    const std::string code = tree.folder("home/Library/Application Support/Code");
    tree.folder("home/Library/Caches/JetBrains");
    const auto rows = makeAppConditions(home);

    EXPECT_EQ(rows[13].forceIncludePaths, Terms{code}); // written with a trailing "/", kept as the folder
    ASSERT_TRUE(rows[12].forceIncludePaths.has_value());
    EXPECT_TRUE(rows[12].forceIncludePaths->empty()); // present but empty: nothing existed
    EXPECT_EQ(rows[16].forceIncludePaths, Terms{home + "/Library/Caches/JetBrains"});
    EXPECT_TRUE(rows[0].forceIncludePaths->empty());

    tree.folder("home/Library/Application Support/Code - Insiders");
    EXPECT_TRUE(rows[14].forceIncludePaths->empty());
    EXPECT_EQ(makeAppConditions(home)[14].forceIncludePaths,
              Terms{home + "/Library/Application Support/Code - Insiders"});
}

} // namespace
} // namespace zn
