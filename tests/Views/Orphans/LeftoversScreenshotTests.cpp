#include "ViewModels/AppState.h"
#include "Views/Kit/Lists/CheckableFileRow.h"
#include "Views/Kit/Lists/FileChecklist.h"
#include "Views/Orphans/LeftoversFixture.h"
#include "appsupport/ScreenFrame.h"
#include "appsupport/Screenshots.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

using test::processQueuedWork;

constexpr QSize kWindow(980, 620);

// The old-leftovers screen in each of its states, light and dark, as the main window shows it.
class LeftoversScreenshots : public ::testing::TestWithParam<ColorScheme>, public test::LeftoversFixture {
protected:
    void addLeftovers() {
        leftover("Caches/com.vanished.editor", 2'400'000);
        leftover("Caches/com.oldtool.helper", 180'000);
        leftover("Caches/Sketchbook Pro", 5'600'000);
        leftover("Logs/Abandoned Tool", 64'000);
        leftover("Logs/com.retired.sync", 12'000);
        leftover("Saved Application State/com.vanished.editor.savedState", 9'000);
        leftover("HTTPStorages/com.oldtool.helper", 30'000);
        leftover("WebKit/com.vanished.browser", 860'000);
        search();
        test::waitUntil([&] {
            for (CheckableFileRow* row : view->fileList().rows())
                if (!row->size())
                    return false;
            return true;
        });
    }
    void SetUp() override {
        (void)window.release();
        window = std::make_unique<test::ScreenFrame>(*view, GetParam(), kWindow);
        processQueuedWork();
    }
    QWidget& frame() {
        processQueuedWork();
        return *window;
    }
    QString name(const char* state) const {
        return QStringLiteral("orphans-%1-%2").arg(QLatin1String(state), test::schemeName(GetParam()));
    }
};

TEST_P(LeftoversScreenshots, List) {
    addLeftovers();
    const auto& listed = state->orphanedFiles();
    view->setSelectedOrphans({listed[0], listed[2], listed[3]});
    test::saveScreenshot(frame(), name("list"));
}

TEST_P(LeftoversScreenshots, Empty) {
    test::saveScreenshot(frame(), name("empty"));
}

TEST_P(LeftoversScreenshots, Searching) {
    state->setIsSearchingOrphans(true);
    test::saveScreenshot(frame(), name("searching"));
    state->setIsSearchingOrphans(false);
}

TEST_P(LeftoversScreenshots, RemovalAlertWithFourFailures) {
    // A name without spaces wider than the alert: it must wrap inside it.
    const std::string unbroken = leftover("Caches/com.vanishedstudio.sketchbookpro.renderer.thumbnailcache", 4'000);
    addLeftovers();
    OrphanListView* screen = view;
    const auto listed = state->orphanedFiles();
    denied = {listed.begin(), listed.begin() + 3};
    denied.insert(unbroken);
    administratorRuns = false;
    screen->setSelectedOrphans(denied);
    screen->removeSelectedOrphans();
    harness.prompter->answer(true);
    waitForRemoval();
    ASSERT_TRUE(screen->removalAlert().isOpen());
    test::saveScreenshotWithAlert(frame(), *screen->removalAlert().dialog(), GetParam(), name("alert"));
}

TEST_P(LeftoversScreenshots, TrashRefusedForAnotherUsersEntry) {
    addLeftovers();
    const std::string tool = state->orphanedFiles()[0];
    harness.trash->keepFor(tool, tool + "/team-share/notes.db");
    view->moveToTrash(tool);
    waitForRemoval();
    ASSERT_TRUE(view->removalAlert().isOpen());
    test::saveScreenshotWithAlert(frame(), *view->removalAlert().dialog(), GetParam(), name("kept-alert"));
}

INSTANTIATE_TEST_SUITE_P(Schemes, LeftoversScreenshots, ::testing::Values(ColorScheme::light, ColorScheme::dark),
                         [](const auto& info) { return test::schemeName(info.param).toStdString(); });

} // namespace
} // namespace zn
