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

} // namespace
} // namespace zn
