#include "App/MenuBarRows.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

std::vector<std::string> titles(const std::vector<MenuBarRow>& rows) {
    std::vector<std::string> result;
    for (const auto& row : rows)
        result.push_back(row.isSeparator ? "---" : row.title + (row.enabled ? "" : " (off)"));
    return result;
}

TEST(MenuBarRows, GrantedAndIdleHasSixRows) {
    auto rows = menuBarRows(
        {.stateExists = true, .hasFullDiskAccess = true, .isWorking = false, .onboardingComplete = true});
    EXPECT_EQ(titles(rows), (std::vector<std::string>{"Open Zelva Nexal", "---", "Scan my Mac",
                                                      "Clear browser privacy", "---", "Quit Zelva Nexal"}));
    EXPECT_EQ(rows[0].action, MenuBarAction::openApp);
    EXPECT_EQ(rows[2].action, MenuBarAction::scanMac);
    EXPECT_EQ(rows[3].action, MenuBarAction::clearBrowserPrivacy);
    EXPECT_EQ(rows[5].action, MenuBarAction::quit);
}

TEST(MenuBarRows, AllowMoreAccessOnlyWithoutAccessAndWithAState) {
    auto without = menuBarRows({.stateExists = true, .hasFullDiskAccess = false, .onboardingComplete = true});
    EXPECT_EQ(titles(without),
              (std::vector<std::string>{"Open Zelva Nexal", "---", "Scan my Mac", "Clear browser privacy",
                                        "---", "Allow more access...", "---", "Quit Zelva Nexal"}));
    EXPECT_EQ(without[5].action, MenuBarAction::openAccessSettings);
    auto noState =
        menuBarRows({.stateExists = false, .hasFullDiskAccess = false, .onboardingComplete = true});
    EXPECT_EQ(noState.size(), 6u);
}

TEST(MenuBarRows, WorkingRowOnlyWhileBusyAndScansNeedOnboarding) {
    auto busy = menuBarRows(
        {.stateExists = true, .hasFullDiskAccess = true, .isWorking = true, .onboardingComplete = true});
    EXPECT_EQ(titles(busy), (std::vector<std::string>{
                                "Open Zelva Nexal", "---", "Scan my Mac (off)", "Clear browser privacy (off)",
                                "---", "Zelva Nexal is working... (off)", "---", "Quit Zelva Nexal"}));
    EXPECT_FALSE(busy[5].action.has_value());

    auto firstRun =
        menuBarRows({.stateExists = true, .hasFullDiskAccess = true, .onboardingComplete = false});
    EXPECT_EQ(titles(firstRun),
              (std::vector<std::string>{"Open Zelva Nexal", "---", "Scan my Mac (off)",
                                        "Clear browser privacy (off)", "---", "Quit Zelva Nexal"}));
}

} // namespace
} // namespace zn
