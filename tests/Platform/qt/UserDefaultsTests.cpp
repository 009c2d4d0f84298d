#include "Platform/qt/UserDefaults.h"
#include "support/FixtureTree.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

TEST(UserDefaults, StoresUnderTheSystemsKeysAndSurvivesARestart) {
    test::FixtureTree tree;
    QString file = QString::fromStdString(tree.path("defaults.ini"));
    {
        UserDefaults defaults(file);
        EXPECT_FALSE(defaults.boolForKey("ZelvaNexal.OnboardingComplete"));
        EXPECT_EQ(defaults.stringForKey("ZelvaNexal.Appearance"), std::nullopt);
        EXPECT_EQ(defaults.dataForKey("ZelvaNexal.ScheduleConfig"), std::nullopt);
        defaults.setBool(true, "ZelvaNexal.OnboardingComplete");
        defaults.setString("dark", "ZelvaNexal.Appearance");
        defaults.setData(QByteArray("{\"isEnabled\":true}\n\0x", 21), "ZelvaNexal.ScheduleConfig");
    }
    UserDefaults reopened(file);
    EXPECT_TRUE(reopened.boolForKey("ZelvaNexal.OnboardingComplete"));
    EXPECT_EQ(reopened.stringForKey("ZelvaNexal.Appearance"), QString("dark"));
    EXPECT_EQ(reopened.dataForKey("ZelvaNexal.ScheduleConfig"), QByteArray("{\"isEnabled\":true}\n\0x", 21));
    reopened.setBool(false, "ZelvaNexal.OnboardingComplete");
    EXPECT_FALSE(UserDefaults(file).boolForKey("ZelvaNexal.OnboardingComplete"));
}

TEST(UserDefaults, WholeNumbersAndWhetherAKeyIsSetAtAll) {
    test::FixtureTree tree;
    UserDefaults defaults(QString::fromStdString(tree.path("defaults.ini")));
    EXPECT_FALSE(defaults.hasValue("settings.cleaning.oldFileMonths"));
    EXPECT_EQ(defaults.integerForKey("settings.cleaning.oldFileMonths"), std::nullopt);
    defaults.setInteger(-4'000'000'000, "settings.cleaning.oldFileMonths");
    EXPECT_TRUE(defaults.hasValue("settings.cleaning.oldFileMonths"));
    EXPECT_EQ(UserDefaults(QString::fromStdString(tree.path("defaults.ini"))).integerForKey("settings.cleaning.oldFileMonths"),
              -4'000'000'000);
    defaults.setString("twelve", "settings.cleaning.oldFileMonths");
    EXPECT_EQ(defaults.integerForKey("settings.cleaning.oldFileMonths"), std::nullopt);
    defaults.setBool(false, "settings.general.confirmBeforeDelete");
    EXPECT_TRUE(defaults.hasValue("settings.general.confirmBeforeDelete"));
}

} // namespace
} // namespace zn
