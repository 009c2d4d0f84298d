#include "Platform/qt/LoginItem.h"
#include "support/FixtureTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace zn {
namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Sets an environment variable for the life of the object and puts the old value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
    ~ScopedEnvironment() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(LoginItem, RegisteringWritesTheEntryIntoAPrivateNewFolderAndUnregisteringRemovesIt) {
    test::FixtureTree tree;
    const QString folder = QString::fromStdString(tree.path("config/autostart"));
    LoginItem item(folder, QStringLiteral("/opt/zelvanexal/zelvanexal"));
    EXPECT_EQ(item.entryPath(), folder + "/com.zelvanexal.app.desktop");

    EXPECT_EQ(item.unregisterItem(), std::nullopt); // nothing to remove is no failure
    EXPECT_EQ(item.registerItem(), std::nullopt);
    EXPECT_EQ(readAll(item.entryPath()), QByteArray("[Desktop Entry]\n"
                                                    "Type=Application\n"
                                                    "Name=Zelva Nexal\n"
                                                    "Comment=Free up space without digging through folders.\n"
                                                    "Exec=/opt/zelvanexal/zelvanexal\n"
                                                    "Terminal=false\n"
                                                    "X-GNOME-Autostart-enabled=true\n"));
    EXPECT_EQ(QFileInfo(folder).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::ExeOther), 0);
    // Registering again replaces the entry; no temporary file is left beside it.
    EXPECT_EQ(item.registerItem(), std::nullopt);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"com.zelvanexal.app.desktop"});

    EXPECT_EQ(item.unregisterItem(), std::nullopt);
    EXPECT_FALSE(QFileInfo::exists(item.entryPath()));

    // An entry that is a link goes as the link, and registering replaces it: what it leads to stays.
    const std::string target = tree.textFile("elsewhere/notes.desktop", "the user's own");
    tree.symlink("config/autostart/com.zelvanexal.app.desktop", target);
    EXPECT_EQ(item.unregisterItem(), std::nullopt);
    EXPECT_FALSE(QFileInfo(item.entryPath()).isSymLink());
    tree.symlink("config/autostart/com.zelvanexal.app.desktop", target);
    EXPECT_EQ(item.registerItem(), std::nullopt);
    EXPECT_FALSE(QFileInfo(item.entryPath()).isSymLink());
    EXPECT_TRUE(readAll(item.entryPath()).startsWith("[Desktop Entry]\n"));
    EXPECT_EQ(readAll(QString::fromStdString(target)), QByteArray("the user's own"));
}

TEST(LoginItem, ProgramPathsAreQuotedAsTheDesktopEntryFormatAsksAndUnwritableOnesRefused) {
    const auto execLine = [](const QString& path) {
        const std::optional<QByteArray> contents = LoginItem::entryContents(path);
        if (!contents)
            return QString("(refused)");
        for (const QByteArray& line : contents->split('\n'))
            if (line.startsWith("Exec="))
                return QString::fromUtf8(line.mid(5));
        return QString();
    };
    EXPECT_EQ(execLine("/opt/Zelva Nexal/run"), "\"/opt/Zelva Nexal/run\"");
    EXPECT_EQ(execLine("/home/a$b/100%/zn"), "\"/home/a\\\\$b/100%%/zn\"");
    EXPECT_EQ(execLine("/odd/\"quote\"\\back`tick"), "\"/odd/\\\\\"quote\\\\\"\\\\\\\\back\\\\`tick\"");
    EXPECT_EQ(execLine("/home/zoë/zn"), "/home/zoë/zn");
    EXPECT_EQ(execLine("relative/zn"), "(refused)");
    EXPECT_EQ(execLine("/bad\nExec=/bin/evil"), "(refused)");
}

TEST(LoginItem, FailuresAreDescribedAndLeaveNothingHalfDone) {
    test::FixtureTree tree;
    tree.textFile("config", "a file where the folder should be");
    LoginItem blocked(QString::fromStdString(tree.path("config/autostart")), QStringLiteral("/usr/bin/zelvanexal"));
    const std::optional<QString> registerFailure = blocked.registerItem();
    ASSERT_TRUE(registerFailure);
    EXPECT_TRUE(registerFailure->contains(QString::fromStdString(tree.path("config/autostart"))));

    // An entry that is a folder with content cannot be removed; the folder stays as it was.
    LoginItem stuck(QString::fromStdString(tree.folder("autostart")), QStringLiteral("/usr/bin/zelvanexal"));
    tree.textFile("autostart/com.zelvanexal.app.desktop/keep", "x");
    EXPECT_TRUE(stuck.unregisterItem());
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(tree.path("autostart/com.zelvanexal.app.desktop/keep"))));
    EXPECT_TRUE(stuck.registerItem());

    LoginItem relative(QString::fromStdString(tree.folder("other")), QStringLiteral("zelvanexal"));
    EXPECT_TRUE(relative.registerItem());
    EXPECT_TRUE(QDir(QString::fromStdString(tree.path("other"))).isEmpty());
}

TEST(LoginItem, TheAutostartFolderFollowsTheBaseDirectorySpecification) {
    test::FixtureTree tree;
    const ScopedEnvironment home("HOME", tree.folder("home"));
    {
        const ScopedEnvironment config("XDG_CONFIG_HOME", tree.path("xdg"));
        EXPECT_EQ(LoginItem::defaultAutostartDirectory(), QString::fromStdString(tree.path("xdg/autostart")));
    }
    {
        const ScopedEnvironment relative("XDG_CONFIG_HOME", std::string("relative/config"));
        EXPECT_EQ(LoginItem::defaultAutostartDirectory(), QString::fromStdString(tree.path("home/.config/autostart")));
    }
    const ScopedEnvironment unset("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(LoginItem::defaultAutostartDirectory(), QString::fromStdString(tree.path("home/.config/autostart")));
}

} // namespace
} // namespace zn
