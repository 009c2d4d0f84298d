#include "Platform/qt/ApplicationFile.h"
#include "support/FixtureTree.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace zn {
namespace {

TEST(ApplicationFile, TheLauncherWhenOneIsInstalledElseTheExecutable) {
    test::FixtureTree tree;
    ApplicationFileSearch search{tree.file("opt/zelvanexal/zelvanexal", 10),
                                 {tree.path("home/.local/share/applications"), tree.path("usr/share/applications")},
                                 {"com.zelvanexal.app.desktop", "zelvanexal.desktop"}};
    EXPECT_EQ(applicationFile(search), search.executablePath);

    // A folder of the launcher's name is no launcher.
    tree.folder("usr/share/applications/com.zelvanexal.app.desktop");
    EXPECT_EQ(applicationFile(search), search.executablePath);

    const std::string system = tree.textFile("usr/share/applications/zelvanexal.desktop", "[Desktop Entry]\n");
    EXPECT_EQ(applicationFile(search), system);

    // The user's own folder comes first, whichever of the names it uses.
    const std::string own = tree.textFile("home/.local/share/applications/zelvanexal.desktop", "[Desktop Entry]\n");
    EXPECT_EQ(applicationFile(search), own);
}

TEST(ApplicationFile, ThisProgramIsItsRunningExecutable) {
    const ApplicationFileSearch search = ApplicationFileSearch::thisProgram();
    EXPECT_EQ(search.executablePath, QCoreApplication::applicationFilePath().toStdString());
    EXPECT_FALSE(search.applicationFolders.empty());
    ASSERT_EQ(search.launcherNames.size(), 2u);
    EXPECT_EQ(search.launcherNames[0], "com.zelvanexal.app.desktop");
}

} // namespace
} // namespace zn
