#include "Services/FullDiskAccessManager.h"
#include "appsupport/RecordingFileViewer.h"
#include "support/FaultyFileSystem.h"
#include "support/FixtureTree.h"
#include "support/LogCapture.h"

#include <QCoreApplication>
#include <QThread>
#include <cerrno>
#include <fstream>
#include <gtest/gtest.h>
#include <mutex>

namespace zn {
namespace {

FullDiskAccessOptions
guarded(std::vector<std::string> probePaths,
        std::shared_ptr<const FileSystem> fileSystem = std::make_shared<PosixFileSystem>()) {
    FullDiskAccessOptions options;
    options.protection = PrivacyProtection::perApplication;
    options.locations.probePaths = std::move(probePaths);
    options.fileSystem = std::move(fileSystem);
    return options;
}

bool probe(const std::string& path,
           std::shared_ptr<const FileSystem> fileSystem = std::make_shared<PosixFileSystem>()) {
    return FullDiskAccessManager(guarded({path}, std::move(fileSystem))).hasFullDiskAccess();
}

TEST(FullDiskAccessManager, WithoutPerApplicationProtectionAccessIsGranted) {
    test::FixtureTree tree;
    FullDiskAccessOptions options = guarded({tree.path("missing")});
    options.protection = PrivacyProtection::none;
    EXPECT_TRUE(FullDiskAccessManager(options).hasFullDiskAccess());
    EXPECT_EQ(platformPrivacyProtection(), PrivacyProtection::none);
}

TEST(FullDiskAccessManager, ProbeReallyReadsTheLocations) {
    test::FixtureTree tree;
    EXPECT_FALSE(probe(tree.path("missing")));
    EXPECT_TRUE(probe(tree.file("Library/Safari/CloudTabs.db", 4096)));
    EXPECT_TRUE(probe(tree.file("empty.db", 0)));
    EXPECT_TRUE(probe(tree.folder("Library/Mail")));
    EXPECT_TRUE(probe(tree.symlink("linked-mail", tree.path("Library/Mail"))));
    EXPECT_FALSE(probe(tree.symlink("dangling", tree.path("nowhere"))));

    auto faulty = std::make_shared<test::FaultyFileSystem>();
    faulty->folderOpenErrors[tree.path("Library/Mail")] = EPERM;
    faulty->unreadablePaths.insert(tree.path("Library/Safari/CloudTabs.db"));
    EXPECT_FALSE(probe(tree.path("Library/Mail"), faulty));
    EXPECT_FALSE(probe(tree.path("Library/Safari/CloudTabs.db"), faulty));

    // One readable location is enough, wherever it is in the list.
    EXPECT_FALSE(FullDiskAccessManager(guarded({tree.path("missing"), tree.path("Library/Mail")}, faulty))
                     .hasFullDiskAccess());
    EXPECT_TRUE(
        FullDiskAccessManager(guarded({tree.path("missing"), tree.path("gone"), tree.path("Library/Mail")}))
            .hasFullDiskAccess());
}

TEST(FullDiskAccessManager, LocationsOfAHome) {
    FullDiskAccessLocations locations = FullDiskAccessLocations::forHome("/home/ann");
    EXPECT_EQ(locations.probePaths,
              (std::vector<std::string>{"/Library/Application Support/com.apple.TCC/TCC.db",
                                        "/home/ann/Library/Safari/CloudTabs.db", "/home/ann/Library/Mail"}));
    EXPECT_EQ(locations.registrationPaths,
              (std::vector<std::string>{"/Library/Application Support/com.apple.TCC/TCC.db",
                                        "/home/ann/Library/Mail", "/home/ann/Library/Safari/CloudTabs.db",
                                        "/home/ann/Library/Safari/Bookmarks.plist",
                                        "/home/ann/Library/Cookies", "/home/ann/Library/HTTPStorages",
                                        "/home/ann/Library/Application Support/com.apple.TCC"}));
}

// Remembers which paths were looked at, and on which thread.
class WatchedFileSystem : public PosixFileSystem {
public:
    FileExistence fileExists(const std::string& path) const override {
        std::lock_guard lock(mutex);
        seen.push_back(path);
        threads.push_back(QThread::currentThread());
        return PosixFileSystem::fileExists(path);
    }
    mutable std::mutex mutex;
    mutable std::vector<std::string> seen;
    mutable std::vector<QThread*> threads;
};

TEST(FullDiskAccessManager, RegistrationReadsEveryLocationOffTheCallingThread) {
    test::FixtureTree tree;
    auto watched = std::make_shared<WatchedFileSystem>();
    FullDiskAccessOptions options = guarded({}, watched);
    options.locations = FullDiskAccessLocations::forHome(tree.root());
    tree.folder("Library/Cookies");
    FullDiskAccessManager(options).triggerRegistration().waitForFinished();
    EXPECT_EQ(watched->seen, options.locations.registrationPaths);
    for (QThread* thread : watched->threads)
        EXPECT_NE(thread, QThread::currentThread());
}

TEST(FullDiskAccessManager, ResetRunsThePrivacyTool) {
    test::FixtureTree tree;
    FullDiskAccessOptions options;
    options.privacyTool = tree.executable("bin/tccutil", "#!/bin/sh\nprintf '%s|' \"$@\" > '" +
                                                             tree.path("arguments") + "'\nexit 0\n");
    EXPECT_TRUE(FullDiskAccessManager(options).resetFullDiskAccess());
    std::ifstream recorded(tree.path("arguments"));
    std::string arguments((std::istreambuf_iterator<char>(recorded)), std::istreambuf_iterator<char>());
    EXPECT_EQ(arguments, "reset|SystemPolicyAllFiles|com.zelvanexal.app|");

    options.privacyTool = tree.executable("bin/failing-tccutil", "#!/bin/sh\nexit 1\n");
    EXPECT_FALSE(FullDiskAccessManager(options).resetFullDiskAccess());

    test::LogCapture log;
    options.privacyTool = tree.path("bin/absent-tccutil");
    EXPECT_FALSE(FullDiskAccessManager(options).resetFullDiskAccess());
    ASSERT_EQ(log.entries().size(), 1u);
    EXPECT_EQ(log.entries()[0].message,
              "Could not run " + options.privacyTool + ": No such file or directory");
    EXPECT_EQ(log.entries()[0].source, "resetFullDiskAccess()");
}

TEST(FullDiskAccessManager, RevealShowsTheProgramItself) {
    auto viewer = std::make_shared<test::RecordingFileViewer>();
    FullDiskAccessOptions options;
    options.fileViewer = viewer;
    FullDiskAccessManager(options).revealAppInFinder();
    options.applicationPath = "/opt/zelvanexal/zelvanexal";
    FullDiskAccessManager(options).revealAppInFinder();
    ASSERT_EQ(viewer->revealed.size(), 2u);
    EXPECT_EQ(viewer->revealed[0], QCoreApplication::applicationFilePath().toStdString());
    EXPECT_EQ(viewer->revealed[1], "/opt/zelvanexal/zelvanexal");
}

} // namespace
} // namespace zn
