#include "Models/Brand.h"
#include "Platform/qt/LoginItem.h"
#include "Services/CleaningEngineTestSupport.h"
#include "Services/SchedulerService.h"
#include "Views/Kit/Controls/LinkButton.h"
#include "Views/Kit/Controls/SwitchToggle.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Settings/AboutSettingsView.h"
#include "Views/Settings/CleaningSettingsView.h"
#include "Views/Settings/GeneralSettingsView.h"
#include "Views/Settings/RadioOption.h"
#include "Views/Settings/ScheduleSettingsView.h"
#include "Views/Settings/SettingsStepper.h"
#include "Views/Settings/SettingsTabBar.h"
#include "Views/Settings/SettingsView.h"
#include "appsupport/FakeClock.h"
#include "appsupport/RecordingUrlOpener.h"
#include "appsupport/Screenshots.h"
#include "support/FixtureTree.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace zn {
namespace {

using namespace std::chrono_literals;

// A settings window on a fixture's defaults store, scheduler and autostart folder.
struct SettingsFixture {
    test::FixtureTree tree;
    QString defaultsFile = QString::fromStdString(tree.path("settings.ini"));
    std::shared_ptr<test::FakeClock> clock = std::make_shared<test::FakeClock>();
    std::shared_ptr<UserDefaults> defaults = std::make_shared<UserDefaults>(defaultsFile);
    SchedulerService scheduler{clock, defaults};
    LoginItem loginItem{QString::fromStdString(tree.path("config/autostart")),
                        QStringLiteral("/usr/bin/zelvanexal")};
    test::RecordingUrlOpener opener;

    std::unique_ptr<SettingsView> makeView() {
        auto view = std::make_unique<SettingsView>(scheduler, *defaults, loginItem, opener, *clock);
        view->show();
        return view;
    }
    // What a fresh read of the store finds, as the next start of the program would.
    QVariant stored(const char* key) const {
        return QSettings(defaultsFile, QSettings::IniFormat).value(key);
    }
};

TEST(SettingsView, FourTabsOfAFixedSizeShowTheDefaultsOfAFreshInstall) {
    SettingsFixture fixture;
    auto view = fixture.makeView();
    EXPECT_EQ(view->size(), QSize(480, 430));
    ASSERT_EQ(view->count(), 4);
    const std::vector<std::pair<QString, std::string>> tabs{
        {"General", "gear"}, {"Cleaning", ""}, {"Schedule", "clock"}, {"About", "info.circle"}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(view->tabText(i), tabs[i].first);
        EXPECT_EQ(view->settingsTabBar().tabSymbol(i), tabs[i].second);
    }

    EXPECT_FALSE(view->general().launchAtLoginSwitch().isChecked());
    EXPECT_TRUE(view->general().sensitivityOption(SearchSensitivity::enhanced).isChecked());
    EXPECT_EQ(view->general().sensitivityOption(SearchSensitivity::strict).text(), "Careful");
    EXPECT_EQ(view->general().sensitivityOption(SearchSensitivity::deep).caption(),
              "Look harder for leftovers. Review results before removing.");
    EXPECT_TRUE(view->general().confirmBeforeDeleteSwitch().isChecked());
    EXPECT_TRUE(view->cleaning().skipHiddenFilesSwitch().isChecked());
    EXPECT_EQ(view->cleaning().largeFileThresholdLabel().text(), "Minimum size: 100 MB");
    EXPECT_EQ(view->cleaning().oldFileMonthsLabel().text(), "Files older than: 12 months");
    // Nothing is written until the user changes something.
    EXPECT_TRUE(QSettings(fixture.defaultsFile, QSettings::IniFormat).allKeys().isEmpty());
}

TEST(SettingsView, EveryControlWritesItsOwnKeyAndAWindowOpenedLaterShowsIt) {
    SettingsFixture fixture;
    {
        auto view = fixture.makeView();
        view->general().sensitivityOption(SearchSensitivity::deep).click();
        view->general().confirmBeforeDeleteSwitch().click();
        view->cleaning().skipHiddenFilesSwitch().click();
        view->cleaning().largeFileThresholdStepper().stepUp();
        view->cleaning().oldFileMonthsStepper().stepDown();
        EXPECT_EQ(view->cleaning().largeFileThresholdLabel().text(), "Minimum size: 110 MB");
        EXPECT_EQ(view->cleaning().oldFileMonthsLabel().text(), "Files older than: 11 months");
    }
    EXPECT_EQ(fixture.stored("settings.general.searchSensitivity"), "Deep");
    EXPECT_EQ(fixture.stored("settings.general.confirmBeforeDelete").toBool(), false);
    EXPECT_EQ(fixture.stored("settings.cleaning.skipHiddenFiles").toBool(), false);
    EXPECT_EQ(fixture.stored("settings.cleaning.largeFileThreshold").toInt(), 110);
    EXPECT_EQ(fixture.stored("settings.cleaning.oldFileMonths").toInt(), 11);

    auto reopened = fixture.makeView();
    EXPECT_TRUE(reopened->general().sensitivityOption(SearchSensitivity::deep).isChecked());
    EXPECT_FALSE(reopened->general().confirmBeforeDeleteSwitch().isChecked());
    EXPECT_FALSE(reopened->cleaning().skipHiddenFilesSwitch().isChecked());
    EXPECT_EQ(reopened->cleaning().largeFileThresholdStepper().value(), 110);
    EXPECT_EQ(reopened->cleaning().oldFileMonthsLabel().text(), "Files older than: 11 months");
}

TEST(SettingsView, AStoredSensitivityThatMatchesNoCaseExactlyShowsBalanced) {
    SettingsFixture fixture;
    StoredSettings settings(*fixture.defaults);
    for (const QString& stored :
         {QStringLiteral("deep"), QStringLiteral(" Deep"), QStringLiteral("Balanced"), QString()}) {
        fixture.defaults->setString(stored, StoredSettings::kSensitivityKey);
        EXPECT_EQ(settings.sensitivity(), SearchSensitivity::enhanced) << stored.toStdString();
    }
    auto view = fixture.makeView();
    EXPECT_TRUE(view->general().sensitivityOption(SearchSensitivity::enhanced).isChecked());
    fixture.defaults->setString("Strict", StoredSettings::kSensitivityKey);
    EXPECT_EQ(settings.sensitivity(), SearchSensitivity::strict);
}

TEST(SettingsView, SteppersShowTheirValueOnceInTheLabelAndStopAtTheEndsOfTheirRange) {
    // A stored value off the steps is taken to the nearest step inside the range.
    const StepRange size = StoredSettings::kLargeFileThresholdRange;
    EXPECT_EQ(size.snapped(55), 60);
    EXPECT_EQ(size.snapped(54), 50);
    EXPECT_EQ(size.snapped(4), 10);
    EXPECT_EQ(size.snapped(5000), 1000);
    EXPECT_EQ(size.snapped(-30), 10);

    SettingsFixture fixture;
    auto view = fixture.makeView();
    CleaningSettingsView& cleaning = view->cleaning();
    // The label tells the number; beside it only the arrows, no field to type it again.
    EXPECT_TRUE(cleaning.findChildren<QAbstractSpinBox*>().isEmpty());
    EXPECT_TRUE(cleaning.findChildren<QLineEdit*>().isEmpty());
    int showingHundred = 0;
    for (const TextLabel* label : cleaning.findChildren<TextLabel*>())
        showingHundred += label->text().contains("100") ? 1 : 0;
    EXPECT_EQ(showingHundred, 1);

    SettingsStepper& threshold = cleaning.largeFileThresholdStepper();
    SettingsStepper& months = cleaning.oldFileMonthsStepper();
    QTest::mouseClick(&threshold, Qt::LeftButton, {}, QPoint(threshold.width() / 2, 3));
    EXPECT_EQ(threshold.value(), 110);
    EXPECT_EQ(cleaning.largeFileThresholdLabel().text(), "Minimum size: 110 MB");
    EXPECT_EQ(fixture.stored("settings.cleaning.largeFileThreshold").toInt(), 110);
    QTest::mouseClick(&threshold, Qt::LeftButton, {}, QPoint(threshold.width() / 2, threshold.height() - 3));
    QTest::keyClick(&threshold, Qt::Key_Down);
    EXPECT_EQ(threshold.value(), 90);

    threshold.stepBy(-20);
    EXPECT_EQ(threshold.value(), 10);
    threshold.stepDown();
    EXPECT_EQ(threshold.value(), 10);
    threshold.stepBy(200);
    threshold.stepUp();
    EXPECT_EQ(threshold.value(), 1000);
    EXPECT_EQ(fixture.stored("settings.cleaning.largeFileThreshold").toInt(), 1000);

    months.stepBy(-20);
    EXPECT_EQ(months.value(), 1);
    QTest::keyClick(&months, Qt::Key_Up);
    months.stepBy(100);
    EXPECT_EQ(months.value(), 60);
    EXPECT_EQ(cleaning.oldFileMonthsLabel().text(), "Files older than: 60 months");
}

TEST(SettingsView, LaunchAtLoginCreatesAndRemovesTheAutostartEntry) {
    SettingsFixture fixture;
    auto view = fixture.makeView();
    SwitchToggle& launch = view->general().launchAtLoginSwitch();
    launch.click();
    EXPECT_TRUE(launch.isChecked());
    EXPECT_TRUE(fixture.stored("settings.general.launchAtLogin").toBool());
    EXPECT_TRUE(QFileInfo(fixture.loginItem.entryPath()).isFile());
    launch.click();
    EXPECT_FALSE(fixture.stored("settings.general.launchAtLogin").toBool());
    EXPECT_FALSE(QFileInfo::exists(fixture.loginItem.entryPath()));
}

TEST(SettingsView, AFailedLoginItemChangeLogsOnceAndTheSwitchSpringsBack) {
    SettingsFixture fixture;
    fixture.tree.textFile("config", "a file where the configuration folder should be");
    auto view = fixture.makeView();
    SwitchToggle& launch = view->general().launchAtLoginSwitch();
    int changes = 0;
    QObject::connect(&launch, &SwitchToggle::toggled, [&changes] { ++changes; });
    {
        test::LogCapture log;
        launch.click();
        const auto lines = log.lines();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].level, LogLevel::error);
        EXPECT_EQ(lines[0].source, "toggleLaunchAtLogin(_:)");
        EXPECT_TRUE(lines[0].message.starts_with("Failed to enable launch at login: The folder “"))
            << lines[0].message;
    }
    EXPECT_FALSE(launch.isChecked());
    EXPECT_FALSE(fixture.stored("settings.general.launchAtLogin").toBool());
    EXPECT_EQ(changes, 1); // the user's toggle only: springing back asks the login item nothing

    // Switching off fails when the entry cannot be removed: the switch returns to on.
    SettingsFixture stuck;
    stuck.tree.textFile("config/autostart/com.zelvanexal.app.desktop/keep", "x");
    stuck.defaults->setBool(true, StoredSettings::kLaunchAtLoginKey);
    auto onView = stuck.makeView();
    SwitchToggle& on = onView->general().launchAtLoginSwitch();
    ASSERT_TRUE(on.isChecked());
    test::LogCapture log;
    on.click();
    const auto lines = log.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].message.starts_with("Failed to disable launch at login: ")) << lines[0].message;
    EXPECT_TRUE(on.isChecked());
    EXPECT_TRUE(stuck.stored("settings.general.launchAtLogin").toBool());
}

TEST(SettingsView, ScheduleChangesAreStoredAtOnceAndDetailsFollowTheSwitch) {
    SettingsFixture fixture;
    auto view = fixture.makeView();
    view->setCurrentIndex(2);
    ScheduleSettingsView& schedule = view->schedule();
    for (QWidget* row : schedule.detailRows())
        EXPECT_FALSE(row->isVisible());

    schedule.enabledSwitch().click();
    for (QWidget* row : schedule.detailRows())
        EXPECT_TRUE(row->isVisible());
    EXPECT_EQ(schedule.lastRunLabel().text(), "Never");
    ASSERT_EQ(schedule.intervalPicker().count(), 8);
    EXPECT_EQ(schedule.intervalPicker().itemText(6), "Every 2 Weeks");
    EXPECT_EQ(schedule.intervalPicker().currentText(), "Daily");
    schedule.autoCleanSwitch().click();
    schedule.notifySwitch().click();
    schedule.intervalPicker().setCurrentText("Weekly");

    // A scheduler reading the stored settings afresh sees every change.
    const ScheduleConfig stored = SchedulerService(fixture.clock, fixture.defaults).config();
    EXPECT_TRUE(stored.isEnabled);
    EXPECT_TRUE(stored.autoClean);
    EXPECT_FALSE(stored.notifyOnCompletion);
    EXPECT_EQ(stored.interval, ScheduleInterval::weekly);

    // Switching off hides the details and keeps their values.
    schedule.enabledSwitch().click();
    for (QWidget* row : schedule.detailRows())
        EXPECT_FALSE(row->isVisible());
    EXPECT_TRUE(SchedulerService(fixture.clock, fixture.defaults).config().autoClean);
    schedule.enabledSwitch().click();
    EXPECT_TRUE(schedule.autoCleanSwitch().isChecked());
    EXPECT_EQ(schedule.intervalPicker().currentText(), "Weekly");
}

TEST(SettingsView, AboutShowsTheVersionAndOpensTheMakersPages) {
    SettingsFixture fixture;
    auto view = fixture.makeView();
    EXPECT_EQ(AboutSettingsView::versionText(), "Version 2.0.0");
    view->about().websiteLink().click();
    view->about().contactLink().click();
    ASSERT_EQ(fixture.opener.urls().size(), 2u);
    EXPECT_EQ(fixture.opener.urls()[0], QUrl(QString::fromLatin1(Brand::websiteAddress)));
    EXPECT_EQ(fixture.opener.urls()[1], QUrl(QString::fromLatin1(Brand::contactAddress)));
}

TEST(SettingsView, Screenshots) {
    SettingsFixture fixture;
    ScheduleConfig config;
    config.isEnabled = true;
    config.autoClean = true;
    config.lastRunDate = fixture.clock->now() - 2h;
    fixture.scheduler.setConfig(config);
    fixture.defaults->setBool(true, StoredSettings::kLaunchAtLoginKey);
    const char* names[] = {"general", "cleaning", "schedule", "about"};
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        auto view = fixture.makeView();
        test::useScheme(*view, scheme);
        for (int tab = 0; tab < 4; ++tab) {
            view->setCurrentIndex(tab);
            test::saveScreenshot(*view,
                                 QStringLiteral("settings-%1-%2").arg(names[tab], test::schemeName(scheme)));
        }
    }
}

} // namespace
} // namespace zn
