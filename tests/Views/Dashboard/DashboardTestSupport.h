#pragma once

#include "ViewModels/AppState.h"
#include "Views/Dashboard/DashboardView.h"
#include "Views/Kit/Feedback/ConfettiView.h"
#include "appsupport/AppStateHarness.h"
#include "appsupport/FixedRandom.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace zn::test {

// A dashboard on a fake-backed state, with the confetti on the harness's clock.
class DashboardTest : public ::testing::Test {
protected:
    DashboardTest();

public:
    // Lets the dashboard follow what the state published.
    static void settle();

protected:
    void setDisk(std::int64_t total, std::int64_t used, std::int64_t purgeable = 0);
    // Stores the results as a scan would and totals them.
    void setResults(std::vector<CategoryResult> results);
    // A result of `count` items of `size` bytes each, selected by default or not.
    static CategoryResult resultOf(CleaningCategory category, int count, std::int64_t size, bool selected);
    bool inState(ScanState::Kind kind) const { return state.scanState().kind() == kind; }

    AppStateHarness harness;
    AppState& state;
    std::unique_ptr<DashboardView> view;
};

} // namespace zn::test
