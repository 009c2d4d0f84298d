#include "ViewModels/ScanEngineService.h"
#include "appsupport/AppStateHarness.h"
#include "support/FixtureEngineOptions.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

TEST(ScanEngineService, ASmartScanOverARealHome) {
    test::AppStateHarness harness;
    harness.tree.file("home/Library/Caches/com.example.editor/blob", 40'000);
    auto engine =
        std::make_shared<ScanEngine>(harness.tree.path("home"), test::fixtureEngineOptions(harness.tree));
    harness.realScanner = std::make_shared<ScanEngineService>(engine);
    AppState& state = harness.makeState();

    state.startSmartScan();
    ASSERT_TRUE(test::waitUntil([&] { return state.scanState() == ScanState::completed(); }));
    EXPECT_EQ(state.categoryResults().size(), 4u);
    std::int64_t total = 0;
    for (const auto& [category, result] : state.categoryResults())
        total += result.totalSize;
    EXPECT_EQ(state.totalJunkSize(), total);
    EXPECT_GE(state.categoryResults().at(CleaningCategory::userCache).totalSize, 40'000);
    ASSERT_TRUE(test::waitUntil([&] { return state.diskInfo() == engine->getDiskInfo(); }));
}

} // namespace
} // namespace zn
