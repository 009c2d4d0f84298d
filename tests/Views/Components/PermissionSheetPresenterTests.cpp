#include "Views/Components/PermissionSheet.h"
#include "Views/Components/PermissionSheetPresenter.h"
#include "appsupport/AppStateHarness.h"
#include "appsupport/SwitchableAccess.h"

#include <QTest>
#include <gtest/gtest.h>

namespace zn {
namespace {

using namespace std::chrono_literals;

struct Presented {
    test::SwitchableAccess access;
    QWidget window;
    int retries = 0;

    void request() {
        access.coordinator->requestAccess(PermissionPromptContext::cleanup(1), {"/a"}, [this] { ++retries; });
        test::processQueuedWork();
    }
    int visibleSheets() const {
        const auto sheets = window.findChildren<PermissionSheet*>();
        return static_cast<int>(std::count_if(sheets.begin(), sheets.end(),
                                              [](const PermissionSheet* sheet) { return sheet->isVisible(); }));
    }
};

TEST(PermissionSheetPresenter, ShowsTheSheetWhileAPromptRuns) {
    Presented presented;
    presented.window.show();
    PermissionSheetPresenter presenter(*presented.access.coordinator, *presented.access.manager, presented.window);
    EXPECT_EQ(presenter.sheet(), nullptr);

    presented.request();
    ASSERT_NE(presenter.sheet(), nullptr);
    EXPECT_EQ(presenter.sheet()->parentWidget(), &presented.window);
    EXPECT_TRUE(presenter.sheet()->isModal());

    // The coordinator's own grant completion takes the sheet away after the one retry.
    presented.access.grant();
    presented.access.clock->advance(2s);
    test::processQueuedWork();
    EXPECT_EQ(presented.retries, 1);
    EXPECT_EQ(presenter.sheet(), nullptr);
    EXPECT_EQ(presented.visibleSheets(), 0);
}

TEST(PermissionSheetPresenter, EscapeEndsThePromptWithoutARetry) {
    Presented presented;
    presented.window.show();
    PermissionSheetPresenter presenter(*presented.access.coordinator, *presented.access.manager, presented.window);
    presented.request();
    ASSERT_NE(presenter.sheet(), nullptr);
    QTest::keyClick(presenter.sheet(), Qt::Key_Escape);
    test::processQueuedWork();
    EXPECT_EQ(presenter.sheet(), nullptr);
    EXPECT_FALSE(presented.access.coordinator->isRequesting());
    presented.access.grant();
    presented.access.clock->advance(5s);
    EXPECT_EQ(presented.retries, 0);
}

TEST(PermissionSheetPresenter, APromptThatEndsAndStartsAgainKeepsOneSheet) {
    Presented presented;
    presented.window.show();
    PermissionSheetPresenter presenter(*presented.access.coordinator, *presented.access.manager, presented.window);
    presented.request();
    presented.access.coordinator->dismiss(false);
    presented.request();
    EXPECT_EQ(presented.visibleSheets(), 1);
    EXPECT_TRUE(presented.access.coordinator->isRequesting());
}

TEST(PermissionSheetPresenter, AWindowShownDuringAPromptShowsTheSheet) {
    Presented presented;
    PermissionSheetPresenter presenter(*presented.access.coordinator, *presented.access.manager, presented.window);
    presented.request();
    EXPECT_EQ(presenter.sheet(), nullptr) << "no sheet over a window that is not on screen";
    presented.window.show();
    EXPECT_NE(presenter.sheet(), nullptr);
}

} // namespace
} // namespace zn
