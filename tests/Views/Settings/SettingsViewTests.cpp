#include "Services/SchedulerService.h"
#include "Views/Settings/SettingsView.h"
#include "appsupport/FakeClock.h"
#include "support/FixtureTree.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <gtest/gtest.h>

namespace zn {
namespace {

QCheckBox* checkBox(SettingsView& view, const QString& text) {
    for (auto* box : view.findChildren<QCheckBox*>())
        if (box->text() == text)
            return box;
    return nullptr;
}

TEST(SettingsView, ScheduleChangesAreStoredAtOnceAndDetailsFollowTheSwitch) {
    test::FixtureTree tree;
    auto clock = std::make_shared<test::FakeClock>();
    auto defaults = std::make_shared<UserDefaults>(QString::fromStdString(tree.path("settings.ini")));
    SchedulerService scheduler(clock, defaults);
    SettingsView view(scheduler);
    view.show();

    QCheckBox* enabled = checkBox(view, "Scan on a schedule");
    QCheckBox* autoClean = checkBox(view, "Clean safe files after scanning");
    ASSERT_TRUE(enabled && autoClean && checkBox(view, "Notify me when finished"));
    EXPECT_FALSE(autoClean->isVisible());

    enabled->click();
    EXPECT_TRUE(autoClean->isVisible());
    autoClean->click();
    view.findChild<QComboBox*>()->setCurrentText("Weekly");

    // A scheduler reading the stored settings afresh sees every change.
    SchedulerService reloaded(clock, defaults);
    EXPECT_TRUE(reloaded.config().isEnabled);
    EXPECT_TRUE(reloaded.config().autoClean);
    EXPECT_EQ(reloaded.config().interval, ScheduleInterval::weekly);

    // Switching off hides the details and keeps their values.
    enabled->click();
    EXPECT_FALSE(autoClean->isVisible());
    EXPECT_TRUE(SchedulerService(clock, defaults).config().autoClean);

    QDir().mkpath(ZN_SCREENSHOT_DIR);
    enabled->click();
    view.grab().save(QStringLiteral(ZN_SCREENSHOT_DIR "/settings.png"));
}

} // namespace
} // namespace zn
