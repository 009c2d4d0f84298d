#include "Models/ScanState.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zn {
namespace {

TEST(ScanState, EqualityComparesCaseAndPayload) {
    EXPECT_EQ(ScanState::scanning(0.25, "Mac Cleanup"), ScanState::scanning(0.25, "Mac Cleanup"));
    EXPECT_NE(ScanState::scanning(0.25, "Mac Cleanup"), ScanState::scanning(0.25, "App Cleanup"));
    EXPECT_NE(ScanState::scanning(0.25, ""), ScanState::cleaning(0.25));
    EXPECT_EQ(ScanState::cleaning(0.5), ScanState::cleaning(0.5));
    EXPECT_NE(ScanState::cleaning(0.5), ScanState::cleaning(0.75));
    EXPECT_NE(ScanState::idle(), ScanState::completed());
    EXPECT_NE(ScanState::completed(), ScanState::cleaned());
    EXPECT_NE(ScanState::idle(), ScanState::cleaned());
    EXPECT_EQ(ScanState::idle(), ScanState::idle());
}

TEST(ScanState, NotANumberProgressEqualsNothing) {
    const ScanState nanScan = ScanState::scanning(std::nan(""), "x");
    EXPECT_FALSE(nanScan == nanScan);
    const ScanState nanClean = ScanState::cleaning(std::nan(""));
    EXPECT_FALSE(nanClean == nanClean);
}

TEST(ScanState, BusyWhileScanningOrCleaning) {
    EXPECT_TRUE(ScanState::scanning(0, "").isBusy());
    EXPECT_TRUE(ScanState::cleaning(1).isBusy());
    EXPECT_FALSE(ScanState::idle().isBusy());
    EXPECT_FALSE(ScanState::completed().isBusy());
    EXPECT_FALSE(ScanState::cleaned().isBusy());
}

} // namespace
} // namespace zn
