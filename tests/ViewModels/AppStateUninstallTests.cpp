#include "appsupport/AppStateHarness.h"
#include "support/LogCapture.h"
#include "support/Privileges.h"

#include <QDateTime>
#include <QThreadPool>
#include <QUrl>
#include <cerrno>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>

namespace zn {
namespace {

using test::waitUntil;

bool exists(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

std::string slurp(const std::string& path) {
    std::ifstream file(path);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// The uninstaller over a fixture home ("home") and system ("system"), with the Trash in "trash".
class AppStateUninstall : public ::testing::Test {
protected:
    test::AppStateHarness harness;
    AppState* state = nullptr;

    void SetUp() override {
        harness.fullDiskAccess->store(false);
        state = &harness.makeState();
        test::processQueuedWork();
    }
    std::string homeFile(const std::string& relative, std::int64_t size = 10) {
        return harness.tree.file("home/" + relative, size);
    }
    std::string systemFile(const std::string& relative, std::int64_t size = 10) {
        return harness.tree.file("system/" + relative, size);
    }
    // The files as the application's search found them, all ticked.
    void found(const std::vector<std::string>& paths) {
        state->setDiscoveredFiles(paths);
        state->setSelectedFiles({paths.begin(), paths.end()});
    }
    // Removes the selection and waits until the removal has finished.
    void removeAndWait() {
        state->removeSelectedFiles();
        waitForRemoval();
    }
    void waitForRemoval() {
        for (int pass = 0; pass < 2; ++pass) { // the Trash pass, then the administrator pass
            QThreadPool::globalInstance()->waitForDone();
            test::processQueuedWork();
        }
        test::processQueuedWork(); // log lines posted by the finish
    }
};

TEST_F(AppStateUninstall, ARemovedFileLandsInTheTrashWithAValidTrashInfo) {
    const std::string file = homeFile("Library/Application Support/Foo App/state one.db", 4096);
    const std::string kept = homeFile("Library/Caches/com.example.foo/kept");
    found({file, kept});
    state->setSelectedFiles({file});
    test::LogCapture log;

    removeAndWait();
    EXPECT_FALSE(exists(file));
    const std::string trash = harness.trash->trash().homeTrash();
    EXPECT_TRUE(exists(trash + "/files/state one.db"));
    const std::string info = slurp(trash + "/info/state one.db.trashinfo");
    ASSERT_EQ(info.rfind("[Trash Info]\nPath=", 0), 0u) << info;
    const std::string encoded = info.substr(18, info.find('\n', 18) - 18);
    EXPECT_EQ(QUrl::fromPercentEncoding(QByteArray::fromStdString(encoded)).toStdString(), file);
    const auto dateStart = info.find("\nDeletionDate=") + 14;
    EXPECT_TRUE(
        QDateTime::fromString(QString::fromStdString(info.substr(dateStart, 19)), Qt::ISODate).isValid());

    EXPECT_EQ(state->discoveredFiles(), std::vector<std::string>{kept});
    EXPECT_TRUE(state->selectedFiles().empty());
    EXPECT_FALSE(state->removalError());
    EXPECT_FALSE(state->removalNeedsFullDiskAccess());
    EXPECT_EQ(log.messages(), std::vector<std::string>{"Removed 1 file"});
    EXPECT_TRUE(harness.cleaner->administratorCalls().empty());
}

TEST_F(AppStateUninstall, ASecondRemovalWhileOneRunsIsRefused) {
    const std::string file = homeFile("Library/Caches/com.example.foo/a");
    harness.trash->failWith(file, EACCES);
    harness.fullDiskAccess->store(true);
    found({file});
    test::LogCapture log;
    state->removeSelectedFiles();
    state->removeSelectedFiles(); // the first is still in its Trash pass
    waitForRemoval();
    EXPECT_EQ(log.messages().front(), "Refused duplicate removeSelectedFiles while a removal is running");
    EXPECT_EQ(harness.cleaner->administratorCalls().size(), 1u); // one password prompt, not two
}

TEST_F(AppStateUninstall, AVanishedFileCountsAsRemoved) {
    const std::string gone = harness.home + "/Library/Preferences/com.example.foo.plist";
    const std::string present = homeFile("Library/Logs/Foo/log.txt");
    found({gone, present});
    test::LogCapture log;
    removeAndWait();
    EXPECT_TRUE(state->discoveredFiles().empty());
    EXPECT_FALSE(state->removalError());
    auto messages = log.messages();
    EXPECT_NE(
        std::find(messages.begin(), messages.end(), "Trash skipped for " + gone + ": file no longer exists"),
        messages.end());
    EXPECT_NE(std::find(messages.begin(), messages.end(), "Removed 2 files"), messages.end());

    // A missing Trash folder also answers "no such file"; a file that is still there is no success.
    const std::string stuck = homeFile("Library/Logs/Foo/stuck.txt");
    harness.trash->failWith(stuck, ENOENT);
    found({stuck});
    removeAndWait();
    EXPECT_TRUE(exists(stuck));
    EXPECT_EQ(state->discoveredFiles(), std::vector<std::string>{stuck});
    EXPECT_EQ(state->removalError(),
              "1 file couldn't be removed. Make sure the files still exist and aren't open in another app.");
}

TEST_F(AppStateUninstall, APermissionFailureInsideAnApplicationBundleGoesToTheAdministratorPass) {
    const std::string executable =
        harness.tree.textFile("system/Applications/Foo.app/Contents/MacOS/Foo", std::string(8192, 'x'));
    const std::string receipt = systemFile("var/db/receipts/com.example.foo.bom");
    harness.trash->failWith(executable, EACCES);
    harness.trash->failWith(receipt, EPERM);
    harness.cleaner->setAdministratorRemoves({executable});
    found({executable, receipt});
    test::LogCapture log;

    removeAndWait();
    ASSERT_EQ(harness.cleaner->administratorCalls().size(), 1u);
    const auto items = harness.cleaner->administratorCalls()[0];
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].path, executable);
    EXPECT_EQ(items[0].name, "Foo");
    EXPECT_GT(items[0].size, 0); // allocated bytes of the file itself
    EXPECT_EQ(items[0].category, CleaningCategory::systemJunk);
    EXPECT_TRUE(items[0].isSelected);
    EXPECT_TRUE(items[0].lastModified);
    EXPECT_EQ(items[1].path, receipt);
    EXPECT_TRUE(harness.permission->requests.empty());
    EXPECT_FALSE(state->removalNeedsFullDiskAccess());
    EXPECT_TRUE(state->lastFailedRemovalURLs().empty());
    // The receipt survived the administrator pass: the message is the one for an attempted pass.
    EXPECT_EQ(state->discoveredFiles(), std::vector<std::string>{receipt});
    EXPECT_EQ(state->removalError(),
              "1 file couldn't be removed. The files may have changed or macOS blocked access.");
    auto messages = log.messages();
    EXPECT_NE(std::find(messages.begin(), messages.end(),
                        "Removed " + executable + " with administrator privileges"),
              messages.end());
}

TEST_F(AppStateUninstall, APermissionFailureElsewhereMarksTheRemovalAsNeedingAccess) {
    const std::string preferences = homeFile("Library/Preferences/com.example.foo.plist");
    harness.trash->failWith(preferences, EPERM);
    found({preferences});
    removeAndWait();
    EXPECT_TRUE(harness.cleaner->administratorCalls().empty());
    EXPECT_TRUE(state->removalNeedsFullDiskAccess());
    EXPECT_EQ(state->lastFailedRemovalURLs(), std::vector<std::string>{preferences});
    EXPECT_EQ(state->removalError(),
              "1 file couldn't be removed because macOS is protecting them. Allow Zelva "
              "Nexal in Settings, then try again.");
    EXPECT_EQ(state->discoveredFiles(), std::vector<std::string>{preferences});

    // Until the access retry clears the flag, a second removal is refused; so it is while a prompt is open.
    test::LogCapture log;
    removeAndWait();
    state->setRemovalNeedsFullDiskAccess(false);
    harness.permission->promptOpen = true;
    removeAndWait();
    EXPECT_EQ(log.messages(),
              std::vector<std::string>(2, "Refused duplicate removeSelectedFiles while FDA flow is active"));
    EXPECT_EQ(state->removalError(),
              "1 file couldn't be removed because macOS is protecting them. Allow Zelva "
              "Nexal in Settings, then try again.");
}

TEST_F(AppStateUninstall, ALinkThatCouldNotBeMovedIsNeverHandedToTheAccessRetry) {
    // The retry cleans what a path leads to: a link that failed beside a file that needs access stays out.
    const std::string preferences = homeFile("Library/Preferences/com.example.foo.plist");
    const std::string canary = harness.tree.textFile("home/Library/Caches/com.other.app/data", "keep");
    const std::string link = harness.tree.symlink("home/Library/Logs/com.example.foo", canary);
    harness.trash->failWith(preferences, EPERM);
    harness.trash->failWith(link, EACCES);
    found({preferences, link});
    removeAndWait();
    EXPECT_TRUE(state->removalNeedsFullDiskAccess());
    EXPECT_EQ(state->lastFailedRemovalURLs(), std::vector<std::string>{preferences});
    EXPECT_TRUE(harness.cleaner->administratorCalls().empty());
    EXPECT_EQ(slurp(canary), "keep");
}

TEST_F(AppStateUninstall, WithFullDiskAccessEveryPermissionFailureGoesToTheAdministratorPass) {
    harness.fullDiskAccess->store(true);
    const std::string preferences = homeFile("Library/Preferences/com.example.foo.plist");
    harness.trash->failWith(preferences, EACCES);
    found({preferences});
    removeAndWait();
    ASSERT_EQ(harness.cleaner->administratorCalls().size(), 1u);
    EXPECT_FALSE(state->removalNeedsFullDiskAccess());
    EXPECT_EQ(state->removalError(),
              "1 file couldn't be removed. The files may have changed or macOS blocked access.");
}

TEST_F(AppStateUninstall, ATrashThatCannotBeWrittenLeavesTheFilesAndHandsNothingToTheAdministrator) {
    // With access, a permission failure of the file's own would go to the administrator pass: one of the
    // Trash's own must not, nor ask for access. The real Trash moves without root's powers, so the
    // permission bits refuse it whoever runs the tests.
    harness.fullDiskAccess->store(true);
    harness.trash->moveWithoutPrivileges();
    const std::string folder = harness.tree.folder("home/Library/Application Support/Zorglub");
    homeFile("Library/Application Support/Zorglub/state.db");
    harness.tree.folder("trash/files");
    test::ScopedMode readOnly(harness.tree.folder("trash/info"), 0500);
    found({folder});
    test::LogCapture log;
    removeAndWait();

    EXPECT_TRUE(exists(folder + "/state.db"));
    EXPECT_TRUE(harness.cleaner->administratorCalls().empty());
    EXPECT_TRUE(harness.cleaner->cleanCalls().empty());
    EXPECT_TRUE(harness.permission->requests.empty());
    EXPECT_FALSE(state->removalNeedsFullDiskAccess());
    EXPECT_TRUE(state->lastFailedRemovalURLs().empty());
    EXPECT_EQ(state->discoveredFiles(), std::vector<std::string>{folder});
    EXPECT_EQ(state->removalError(),
              "Zelva Nexal couldn't move 1 file to the Trash, so it was left in place. "
              "Check that the Trash can be written to.");
    EXPECT_EQ(log.messages().front(), "Trash failed for " + folder + ": Permission denied");

    // The file's own folder refusing the move is still the administrator's to try, whatever the state of
    // the Trash.
    test::ScopedMode closed(harness.tree.path("home/Library/Application Support"), 0555);
    removeAndWait();
    ASSERT_EQ(harness.cleaner->administratorCalls().size(), 1u);
    EXPECT_EQ(harness.cleaner->administratorCalls()[0].at(0).path, folder);
}

TEST_F(AppStateUninstall, OtherTrashFailuresAreLoggedAndReported) {
    const std::string busy = homeFile("Library/Caches/com.example.foo/busy");
    harness.trash->failWith(busy, EIO);
    found({busy});
    test::LogCapture log;
    removeAndWait();
    const std::string message =
        "1 file couldn't be removed. Make sure the files still exist and aren't open in another app.";
    EXPECT_EQ(log.messages(),
              (std::vector<std::string>{"Trash failed for " + busy + ": Input/output error", message}));
    EXPECT_EQ(log.entries()[0].level, LogLevel::error);
    EXPECT_EQ(log.entries()[0].source, "trashDirectly(urls:completion:)");
    EXPECT_EQ(log.entries()[1].source,
              "finishRemoval(removedAny:needsFullDiskAccess:attemptedAdmin:failed:adminError:)");
    EXPECT_EQ(state->removalError(), message);
    EXPECT_FALSE(state->removalNeedsFullDiskAccess());
    EXPECT_TRUE(state->lastFailedRemovalURLs().empty());
}

TEST_F(AppStateUninstall, CredentialStoresAreRefusedAndAPartialRefusalSaysSo) {
    const std::string key = homeFile(".ssh/id_ed25519");
    const std::string config = homeFile(".aws/credentials");
    const std::string elsewhere = harness.tree.symlink("home/Library/Caches/innocent", key);
    found({key, config, elsewhere});
    test::LogCapture log;
    removeAndWait();
    EXPECT_TRUE(exists(key));
    EXPECT_TRUE(exists(config));
    EXPECT_TRUE(exists(elsewhere));
    EXPECT_TRUE(state->selectedFiles().empty());
    EXPECT_EQ(state->discoveredFiles().size(), 3u);
    EXPECT_EQ(state->removalError(),
              "Refused to delete 3 protected item(s) (home credential directory or similar).");
    ASSERT_EQ(log.entries().size(), 1u);
    EXPECT_EQ(log.entries()[0].level, LogLevel::warning);
    EXPECT_EQ(log.messages()[0].rfind("Refused to delete 3 high-risk home dotpath(s): ", 0), 0u);

    // With something to remove beside it, the refusal is still reported, alone or with a failure.
    const std::string cache = homeFile("Library/Caches/com.example.foo/a");
    const std::string locked = homeFile("Library/Caches/com.example.foo/b");
    harness.trash->failWith(locked, EIO);
    found({key, cache});
    removeAndWait();
    EXPECT_FALSE(exists(cache));
    EXPECT_EQ(state->removalError(),
              "Refused to delete 1 protected item(s) (home credential directory or similar).");
    found({key, locked});
    removeAndWait();
    EXPECT_EQ(
        state->removalError(),
        "Refused to delete 1 protected item(s) (home credential directory or similar). 1 file couldn't be "
        "removed. Make sure the files still exist and aren't open in another app.");

    // The home folder itself holds every credential store.
    found({harness.home});
    removeAndWait();
    EXPECT_TRUE(exists(key));
    EXPECT_EQ(state->removalError(),
              "Refused to delete 1 protected item(s) (home credential directory or similar).");
}

TEST_F(AppStateUninstall, NothingOutsideIsReachedThroughALinkedFolder) {
    // "Shared" in Application Support leads to a folder elsewhere that holds one named like the application.
    const std::string canary = harness.tree.textFile("outside/com.acme.widget/data", "keep");
    harness.tree.symlink("home/Library/Application Support/Shared", harness.tree.path("outside"));
    homeFile("Library/Application Support/com.acme.widget/state");
    const std::string own = harness.home + "/Library/Application Support/com.acme.widget";
    const InstalledApp widget{Uuid::random(), "Acme Widget", "com.acme.widget",
                              harness.tree.folder("system/Applications/Acme Widget.app"), 1};
    state->scanForAppFiles(widget);
    ASSERT_TRUE(waitUntil([&] { return !state->isScanningAppFiles(); }));
    EXPECT_EQ(state->discoveredFiles(), (std::vector<std::string>{own, widget.path}));
    removeAndWait();
    EXPECT_FALSE(exists(own));
    EXPECT_EQ(slurp(canary), "keep");

    // Selected all the same, the folder behind the link is left alone, and the user is told.
    const std::string behindLink = harness.home + "/Library/Application Support/Shared/com.acme.widget";
    found({behindLink});
    test::LogCapture log;
    removeAndWait();
    EXPECT_EQ(slurp(canary), "keep");
    EXPECT_TRUE(state->selectedFiles().empty());
    EXPECT_EQ(state->discoveredFiles(), std::vector<std::string>{behindLink});
    EXPECT_EQ(state->removalError(),
              "Refused to delete 1 protected item(s) (home credential directory or similar).");
    EXPECT_EQ(log.messages().front(),
              "Refused to move " + behindLink + " to the Trash: a folder on its way is a symbolic link");

    // A link goes as the link. One that cannot be moved is not handed on: the administrator pass and the
    // access retry would remove what it leads to.
    harness.fullDiskAccess->store(true);
    const std::string link = harness.tree.symlink("home/Library/Caches/com.acme.widget", canary);
    const std::string locked = harness.tree.symlink("home/Library/Logs/com.acme.widget", canary);
    harness.trash->failWith(locked, EACCES);
    found({link, locked});
    removeAndWait();
    EXPECT_FALSE(exists(link));
    EXPECT_TRUE(exists(locked));
    EXPECT_EQ(slurp(canary), "keep");
    EXPECT_TRUE(harness.cleaner->administratorCalls().empty());
    EXPECT_FALSE(state->removalNeedsFullDiskAccess());
    EXPECT_EQ(state->removalError(),
              "1 file couldn't be removed. Make sure the files still exist and aren't open in another app.");
}

TEST_F(AppStateUninstall, AHomeLibraryThatIsALinkIsNeitherSearchedNorRemovedFrom) {
    // The whole Library leads to a system folder with an entry named like the application.
    const std::string canary = harness.tree.textFile("etc/fonts/fonts.conf", "keep");
    const std::string cached = harness.tree.folder("etc/Caches/fonts");
    harness.tree.symlink("home/Library", harness.tree.path("etc"));
    const InstalledApp fonts{Uuid::random(), "fonts", "fonts",
                             harness.tree.folder("system/Applications/fonts.app"), 1};
    state->scanForAppFiles(fonts);
    ASSERT_TRUE(waitUntil([&] { return !state->isScanningAppFiles(); }));
    EXPECT_EQ(state->discoveredFiles(), std::vector<std::string>{fonts.path});

    found({harness.home + "/Library/fonts", harness.home + "/Library/Caches/fonts"});
    removeAndWait();
    EXPECT_EQ(slurp(canary), "keep");
    EXPECT_TRUE(exists(cached));
    EXPECT_EQ(state->removalError(),
              "Refused to delete 2 protected item(s) (home credential directory or similar).");
}

TEST_F(AppStateUninstall, RemovingAnApplicationsBundleDropsItFromTheInstalledList) {
    const std::string bundle = harness.tree.folder("system/Applications/Foo.app");
    systemFile("Applications/Foo.app/Contents/Info.plist");
    const std::string support = homeFile("Library/Application Support/Foo/data");
    InstalledApp foo{Uuid::random(), "Foo", "com.example.foo", bundle, 1};
    InstalledApp bar{Uuid::random(), "Bar", "com.example.bar",
                     harness.tree.folder("system/Applications/Bar.app"), 1};
    state->setInstalledApps({bar, foo});
    state->setSelectedApp(foo);
    found({bundle, support});
    state->setSelectedFiles({support});
    removeAndWait();
    EXPECT_EQ(state->installedApps().size(), 2u); // the bundle is still there

    state->setSelectedFiles({bundle});
    removeAndWait();
    EXPECT_EQ(state->installedApps(), std::vector<InstalledApp>{bar});
    EXPECT_FALSE(state->selectedApp());
    EXPECT_TRUE(state->discoveredFiles().empty());
}

TEST_F(AppStateUninstall, TheFileSearchFindsTheLeftoversOfTheChosenApplication) {
    const std::string support = harness.tree.folder("home/Library/Application Support/Fooblaster");
    homeFile("Library/Application Support/Fooblaster/data");
    const std::string caches = harness.tree.folder("home/Library/Caches/com.example.fooblaster");
    homeFile("Library/Caches/com.example.fooblaster/blob");
    InstalledApp foo{Uuid::random(), "Fooblaster", "com.example.fooblaster",
                     harness.tree.folder("system/Applications/Fooblaster.app"), 1};

    state->scanForAppFiles(foo);
    EXPECT_TRUE(state->isScanningAppFiles());
    EXPECT_GT(state->appFileScanLocationCount(), 59);
    EXPECT_EQ(state->currentAppFileSearchLocationCount(), state->appFileScanLocationCount());
    ASSERT_TRUE(waitUntil([&] { return !state->isScanningAppFiles(); }));
    auto discovered = state->discoveredFiles();
    EXPECT_TRUE(std::is_sorted(discovered.begin(), discovered.end()));
    EXPECT_NE(std::find(discovered.begin(), discovered.end(), support), discovered.end());
    EXPECT_NE(std::find(discovered.begin(), discovered.end(), caches), discovered.end());
    EXPECT_EQ(state->selectedFiles(), std::set<std::string>(discovered.begin(), discovered.end()));
    EXPECT_EQ(state->appFileScanLocationCount(), 0);

    InstalledApp nothing{Uuid::random(), "Zqxv", "org.example.zqxv", harness.home + "/Zqxv.app", 1};
    state->scanForAppFiles(nothing);
    ASSERT_TRUE(waitUntil([&] { return !state->isScanningAppFiles(); }));
    EXPECT_LE(state->discoveredFiles().size(), 1u); // at most its (missing) bundle
    EXPECT_EQ(state->appFileScanLocationCount(), 0);
}

TEST_F(AppStateUninstall, RemovingOneApplicationLeavesTheOtherInstalledOnesAlone) {
    systemFile("Applications/Firefox.app/Contents/Info.plist");
    systemFile("Applications/Firefox Nightly.app/Contents/Info.plist");
    const std::string support = homeFile("Library/Application Support/Firefox/profiles.ini");
    const std::string nightlySupport = homeFile("Library/Application Support/Firefox Nightly/profiles.ini");
    InstalledApp firefox{Uuid::random(), "Firefox", "org.mozilla.firefox",
                         harness.systemRoot + "/Applications/Firefox.app", 1};
    InstalledApp nightly{Uuid::random(), "Firefox Nightly", "org.mozilla.nightly",
                         harness.systemRoot + "/Applications/Firefox Nightly.app", 1};
    state->setInstalledApps({firefox, nightly});

    state->scanForAppFiles(firefox);
    ASSERT_TRUE(waitUntil([&] { return !state->isScanningAppFiles(); }));
    EXPECT_EQ(
        state->discoveredFiles(),
        (std::vector<std::string>{harness.home + "/Library/Application Support/Firefox", firefox.path}));
    removeAndWait();
    EXPECT_FALSE(exists(support));
    EXPECT_TRUE(exists(nightly.path));
    EXPECT_TRUE(exists(nightlySupport));
}

TEST_F(AppStateUninstall, FindsInTheUsersDocumentFoldersStartUnticked) {
    systemFile("Applications/Obsidian.app/Contents/Info.plist");
    const std::string vault = homeFile("Documents/Obsidian Vault/Daily.md");
    const std::string export_ = homeFile("Desktop/obsidian export.pdf");
    homeFile("Library/Application Support/obsidian/obsidian.json");
    InstalledApp obsidian{Uuid::random(), "Obsidian", "md.obsidian",
                          harness.systemRoot + "/Applications/Obsidian.app", 1};
    state->setInstalledApps({obsidian});

    state->scanForAppFiles(obsidian);
    ASSERT_TRUE(waitUntil([&] { return !state->isScanningAppFiles(); }));
    const std::string support = harness.home + "/Library/Application Support/obsidian";
    EXPECT_EQ(state->discoveredFiles(),
              (std::vector<std::string>{harness.home + "/Desktop/obsidian export.pdf",
                                        harness.home + "/Documents/Obsidian Vault", support, obsidian.path}));
    EXPECT_EQ(state->selectedFiles(), (std::set<std::string>{support, obsidian.path}));
    removeAndWait();
    EXPECT_TRUE(exists(vault));
    EXPECT_TRUE(exists(export_));
    EXPECT_FALSE(exists(support));
}

TEST_F(AppStateUninstall, WhatHoldsAnotherUsersEntryStaysListedAndTheMessageSaysWhose) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToChangeOwners;
    const std::string support = harness.tree.folder("home/Library/Application Support/Zorblax");
    const std::string theirs = homeFile("Library/Application Support/Zorblax/team/z2-data");
    for (const std::string& path : {support + "/team", theirs})
        ASSERT_EQ(::lchown(path.c_str(), test::kOtherPerson, test::kOtherPerson), 0);
    // Refused by the Trash, and kept by the administrator pass after a permission failure.
    const std::string bundleFile = systemFile("Applications/Zorblax.app/Contents/MacOS/zorblax");
    harness.trash->failWith(bundleFile, EACCES);
    harness.cleaner->setAdministratorKeeps({{bundleFile, bundleFile}});
    found({support, bundleFile});

    removeAndWait();
    EXPECT_TRUE(exists(theirs));
    EXPECT_EQ(state->discoveredFiles(), (std::vector<std::string>{support, bundleFile}));
    EXPECT_EQ(state->removalError(),
              "Zelva Nexal kept 2 files in place: they hold files of other users, such as " + support +
                  "/team.");
    EXPECT_TRUE(state->lastFailedRemovalURLs().empty());
}

TEST_F(AppStateUninstall, FindsInEachDocumentFolderStartUntickedWhateverTheHome) {
    for (const std::string& home : {std::string("/home/ada"), std::string("/")}) {
        const std::string base = home == "/" ? "" : home;
        const std::set<std::string> documents{base + "/Documents/Zorblax", base + "/Desktop/zorblax.txt",
                                              base + "/Downloads/Zorblax.dmg"};
        const std::string cache = base + "/Library/Caches/com.acme.zorblax";
        test::AppStateHarness scripted;
        scripted.uninstall.home = home;
        scripted.uninstall.appFileScanner = [&](const InstalledApp&, const std::vector<InstalledApp>&,
                                                const Locations&,
                                                std::function<void(std::set<std::string>)> completion) {
            auto found = documents;
            found.insert(cache);
            completion(found);
        };
        AppState& scriptedState = scripted.makeState();
        scriptedState.scanForAppFiles(
            {Uuid::random(), "Zorblax", "com.acme.zorblax", "/Applications/Zorblax.app", 1});
        ASSERT_TRUE(waitUntil([&] { return !scriptedState.isScanningAppFiles(); }));
        EXPECT_EQ(scriptedState.discoveredFiles().size(), 4u) << home;
        EXPECT_EQ(scriptedState.selectedFiles(), std::set<std::string>{cache}) << home;
    }
}

TEST_F(AppStateUninstall, NeitherTheWorkingDirectoryNorTheProgramsFolderNorWhatHoldsThemIsMoved) {
    test::AppStateHarness placed;
    const std::string victim = placed.tree.folder("home/Library/Caches/ZorblaxVictim");
    const std::string program = placed.tree.folder("home/Library/Logs/Zorblax/bin");
    const std::string log = placed.tree.file("home/Library/Logs/Zorblax/zorblax.log", 1);
    const std::string other = placed.tree.file("home/Library/Caches/com.acme.zorblax/Cache.db", 1);
    placed.uninstall.runningProgram = {victim + "/sub", program};
    AppState& placedState = placed.makeState();
    placedState.setDiscoveredFiles({victim, placed.home + "/Library/Logs/Zorblax", log, other});
    placedState.setSelectedFiles({victim, placed.home + "/Library/Logs/Zorblax", log, other});

    placedState.removeSelectedFiles();
    for (int pass = 0; pass < 2; ++pass) {
        QThreadPool::globalInstance()->waitForDone();
        test::processQueuedWork();
    }
    EXPECT_TRUE(exists(victim));
    EXPECT_TRUE(exists(program));
    EXPECT_FALSE(exists(log)); // beside the program's folder: the user's to remove
    EXPECT_FALSE(exists(other));
    EXPECT_EQ(placedState.removalError(),
              "Refused to delete 2 protected item(s) (home credential directory or similar).");
}

TEST_F(AppStateUninstall, ALateAnswerForAnApplicationChosenEarlierIsDropped) {
    std::vector<std::function<void(std::set<std::string>)>> completions;
    test::AppStateHarness scripted;
    scripted.uninstall.appFileScanner = [&](const InstalledApp&, const std::vector<InstalledApp>&,
                                            const Locations&,
                                            std::function<void(std::set<std::string>)> completion) {
        completions.push_back(std::move(completion));
    };
    AppState& scriptedState = scripted.makeState();
    InstalledApp first{Uuid::random(), "First", "com.example.first", "/Applications/First.app", 1};
    InstalledApp second{Uuid::random(), "Second", "com.example.second", "/Applications/Second.app", 1};
    scriptedState.scanForAppFiles(first);
    scriptedState.scanForAppFiles(second);
    ASSERT_EQ(completions.size(), 2u);

    completions[1]({"/b/2", "/b/1"});
    test::processQueuedWork();
    completions[0]({"/a/1"});
    test::processQueuedWork();
    EXPECT_EQ(scriptedState.discoveredFiles(), (std::vector<std::string>{"/b/1", "/b/2"}));
    EXPECT_EQ(scriptedState.selectedFiles(), (std::set<std::string>{"/b/1", "/b/2"}));
    EXPECT_FALSE(scriptedState.isScanningAppFiles());

    // Answered in order, the earlier one does not end the newer search either.
    scriptedState.scanForAppFiles(first);
    scriptedState.scanForAppFiles(second);
    completions[2]({"/a/1"});
    test::processQueuedWork();
    EXPECT_TRUE(scriptedState.discoveredFiles().empty());
    EXPECT_TRUE(scriptedState.isScanningAppFiles());
    completions[3]({});
    test::processQueuedWork();
    EXPECT_FALSE(scriptedState.isScanningAppFiles());
}

} // namespace
} // namespace zn
