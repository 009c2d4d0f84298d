#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"
#include "Services/CleaningEngine+PrivilegedRemoval.h"
#include "Services/CleaningEngine.h"
#include "Services/CleaningEngineTestSupport.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/Privileges.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <sstream>

// Thousands of random paths against the engine. The oracle below states the allowed places a second way,
// by whole path components rather than by text prefixes, so a slip in either shows up as a difference.
namespace zn {
namespace {

namespace fs = std::filesystem;
using Parts = std::vector<std::string>;

Parts partsOf(const std::string& path) {
    Parts parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = std::min(path.find('/', start), path.size());
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

bool startsWith(const Parts& path, const Parts& prefix) {
    return path.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), path.begin());
}
bool strictlyBelow(const Parts& path, const Parts& folder) {
    return path.size() > folder.size() && startsWith(path, folder);
}

bool endsWithApp(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name.ends_with(".app");
}

struct Oracle {
    Oracle(const std::string& home, const std::vector<std::string>& systemRoots) : home(partsOf(home)) {
        const std::pair<const char*, bool> homeRoots[] = {{"Library/Caches", true},
                                                          {"Library/Logs", true},
                                                          {"Library/Saved Application State", true},
                                                          {"Library/HTTPStorages", true},
                                                          {"Library/WebKit", true},
                                                          {"Library/Containers", false},
                                                          {"Library/Group Containers", false},
                                                          {"Library/Application Support", false},
                                                          {"Library/Preferences", false},
                                                          {"Library/LaunchAgents", false},
                                                          {"Library/Mail Downloads", true},
                                                          {"Library/Safari", false},
                                                          {"Library/Developer/Xcode/DerivedData", true},
                                                          {"Library/Developer/Xcode/Archives", true},
                                                          {"Library/Developer/CoreSimulator/Caches", true},
                                                          {".local/share/Trash/files", false},
                                                          {".npm", true},
                                                          {".cache", false},
                                                          {"Library/Containers/com.docker.docker", true}};
        for (auto [suffix, whole] : homeRoots) {
            Parts root = this->home;
            for (auto& part : partsOf(suffix))
                root.push_back(part);
            roots.emplace_back(root, whole);
        }
        for (const std::string& root : systemRoots)
            roots.emplace_back(partsOf(root), false);
        for (const char* folder : {"Downloads", "Documents", "Desktop"}) {
            Parts parts = this->home;
            parts.push_back(folder);
            singleFileFolders.push_back(parts);
        }
    }

    bool allowedRoot(const Parts& path) const {
        bool inside = false;
        for (const auto& [root, whole] : roots) {
            if (path == root && !whole)
                return false;
            inside = inside || (path == root) || strictlyBelow(path, root);
        }
        return inside;
    }
    bool strictlyInsideARoot(const Parts& path) const {
        for (const auto& [root, whole] : roots)
            if (strictlyBelow(path, root))
                return !isRoot(path);
        return false;
    }
    bool isRoot(const Parts& path) const {
        for (const auto& [root, whole] : roots)
            if (path == root)
                return true;
        return false;
    }
    bool singleFile(const Parts& path) const {
        for (const auto& folder : singleFileFolders)
            if (strictlyBelow(path, folder))
                return true;
        return false;
    }
    bool escalation(const std::string& standardized) const {
        const Parts path = partsOf(standardized);
        Parts homeApplications = home;
        homeApplications.push_back("Applications");
        for (const Parts& root : {Parts{"Applications"}, homeApplications})
            if (strictlyBelow(path, root) &&
                std::any_of(path.begin() + static_cast<long>(root.size()), path.end(), endsWithApp))
                return true;
        const std::string extension = [&] {
            std::string e = PathText::pathExtension(standardized);
            std::transform(e.begin(), e.end(), e.begin(), [](unsigned char c) { return std::tolower(c); });
            return e;
        }();
        auto directlyIn = [&](const Parts& folder) {
            return path.size() == folder.size() + 1 && startsWith(path, folder);
        };
        return ((directlyIn({"private", "var", "db", "receipts"}) || directlyIn({"var", "db", "receipts"})) &&
                (extension == "plist" || extension == "bom")) ||
               ((directlyIn({"Library", "LaunchDaemons"}) || directlyIn({"Library", "LaunchAgents"})) &&
                extension == "plist");
    }

    Parts home;
    std::vector<std::pair<Parts, bool>> roots;
    std::vector<Parts> singleFileFolders;
};

// Names present at a path, so that random paths often lead somewhere real; empty when there are none.
using Guide = std::function<std::vector<std::string>(const std::string&)>;

std::string randomPath(std::mt19937& random, const std::vector<std::string>& starts,
                       const std::vector<std::string>& fragments, const Guide& guide = nullptr) {
    std::string path = starts[std::uniform_int_distribution<std::size_t>(0, starts.size() - 1)(random)];
    const int count = std::uniform_int_distribution<int>(0, 7)(random);
    for (int i = 0; i < count; ++i) {
        std::vector<std::string> present = guide ? guide(path) : std::vector<std::string>{};
        const auto& choices =
            !present.empty() && std::uniform_int_distribution<int>(0, 2)(random) > 0 ? present : fragments;
        if (!path.empty() && !path.ends_with('/'))
            path += '/';
        path += choices[std::uniform_int_distribution<std::size_t>(0, choices.size() - 1)(random)];
    }
    if (std::uniform_int_distribution<int>(0, 5)(random) == 0)
        path += '/';
    return path;
}

TEST(CleaningEngineFuzz, RuleTextMatchesTheComponentOracle) {
    const std::string home = "/home/tester";
    CleaningEngine engine(home);
    Oracle oracle(home, {"/Library/Caches", "/Library/Logs", "/private/var/log", "/private/var/tmp",
                         "/var/log", "/var/tmp", "/tmp"});
    const std::vector<std::string> starts{
        "/", "//", "/home/tester/", "/home/tester/Library/", "/home/tester/.local/share/Trash/", "~/",
        "",  "./"};
    const std::vector<std::string> fragments{"",
                                             ".",
                                             "..",
                                             "/",
                                             "home",
                                             "tester",
                                             "Library",
                                             "Caches",
                                             "Logs",
                                             "Containers",
                                             "Group Containers",
                                             "com.docker.docker",
                                             "Application Support",
                                             "Preferences",
                                             "LaunchAgents",
                                             "LaunchDaemons",
                                             "Safari",
                                             ".local",
                                             "share",
                                             "Trash",
                                             "files",
                                             ".Trash",
                                             ".npm",
                                             ".cache",
                                             "Developer",
                                             "Xcode",
                                             "DerivedData",
                                             "tmp",
                                             "var",
                                             "log",
                                             "private",
                                             "db",
                                             "receipts",
                                             "Applications",
                                             "Tool.app",
                                             "Agent.APP",
                                             "x.plist",
                                             "x.PLIST",
                                             "x.bom",
                                             "Downloads",
                                             "Documents",
                                             "Desktop",
                                             "CachesOld",
                                             "\u00fcn\u00ef",
                                             "\u30ad\u30e3\u30c3\u30b7\u30e5",
                                             "Cach\u00e9s",
                                             "~"};
    std::mt19937 random(20261208);
    for (int i = 0; i < 20000; ++i) {
        const std::string path = randomPath(random, starts, fragments);
        bool safe = false, single = false, escalation = false;
        if (path.starts_with('/')) {
            const std::string standardized = PathText::standardizingPath(path, home);
            const Parts parts = partsOf(standardized);
            safe = oracle.allowedRoot(parts);
            single = oracle.singleFile(parts);
            escalation = oracle.escalation(standardized);
        }
        ASSERT_EQ(engine.isSafeToDelete(path), safe) << path;
        ASSERT_EQ(engine.isExplicitSingleFileDeletable(path), single) << path;
        ASSERT_EQ(engine.isSafeUninstallEscalationPath(path), escalation) << path;
    }
}

// A home with something in every kind of place, and links that lead out of the roots.
struct FuzzHome {
    explicit FuzzHome(test::FixtureTree& tree)
        : root(resolvingSymlinksInPath(tree.root())), home(root + "/home") {
        for (const char* file :
             {"home/Library/Caches/app1/data.bin", "home/Library/Caches/app1/sub/deep.txt",
              "home/Library/Caches/app2.log", "home/Library/Caches/\u00fcn\u00ef/f",
              "home/Library/CachesOld/keep.txt", "home/Library/Containers/com.a/Data/f",
              "home/Library/Containers/com.docker.docker/vm.raw",
              "home/Library/Application Support/App/state.db", "home/Library/Logs/x.log",
              "home/.local/share/Trash/files/old.txt", "home/.Trash/old.txt", "home/.cache/pip/wheel",
              "home/Documents/Thesis/chapter1.txt", "home/Documents/report.pdf", "home/Downloads/big.iso",
              "home/Pictures/photo.jpg", "home/\u30ad\u30e3\u30c3\u30b7\u30e5/x", "outside/secret.txt",
              "outside/nested/deep.txt"})
            tree.file(file, 64);
        tree.symlink("home/Library/Caches/link-out", root + "/outside");
        tree.symlink("home/Library/Caches/app1/link-docs", home + "/Documents");
        tree.symlink("home/Library/Caches/link-home", home);
        tree.symlink("home/Library/Caches/link-up", "..");
        tree.symlink("home/Library/Caches/link-file-out", root + "/outside/secret.txt");
        tree.symlink("home/Library/Caches/link-root", "/");
        tree.symlink("home/Downloads/link-thesis", "../Documents/Thesis");
        tree.symlink("home/Downloads/link-out", root + "/outside");
        tree.symlink("home/.local/share/Trash/files/link-pictures", home + "/Pictures");
        tree.symlink("home/Library/Logs/loop", "loop");
    }

    std::map<std::string, fs::file_type> snapshot() const {
        std::map<std::string, fs::file_type> entries;
        for (const auto& entry : fs::recursive_directory_iterator(root))
            entries[entry.path().string()] = entry.symlink_status().type();
        return entries;
    }

    std::string root;
    std::string home;
};

const std::vector<std::string> kFuzzFragments{"",
                                              ".",
                                              "..",
                                              "/",
                                              "Library",
                                              "Caches",
                                              "Logs",
                                              "Containers",
                                              "com.a",
                                              "com.docker.docker",
                                              "Application Support",
                                              "App",
                                              "app1",
                                              "sub",
                                              "data.bin",
                                              "deep.txt",
                                              "app2.log",
                                              "link-out",
                                              "link-docs",
                                              "link-home",
                                              "link-up",
                                              "link-file-out",
                                              "link-root",
                                              "link-thesis",
                                              "link-pictures",
                                              "loop",
                                              "Documents",
                                              "Thesis",
                                              "chapter1.txt",
                                              "report.pdf",
                                              "Downloads",
                                              "big.iso",
                                              "Pictures",
                                              "photo.jpg",
                                              "outside",
                                              "secret.txt",
                                              "nested",
                                              "CachesOld",
                                              "keep.txt",
                                              ".Trash",
                                              ".local",
                                              "share",
                                              "Trash",
                                              "files",
                                              "old.txt",
                                              ".cache",
                                              "pip",
                                              "home",
                                              "\u00fcn\u00ef",
                                              "\u30ad\u30e3\u30c3\u30b7\u30e5",
                                              "Cach\u00e9s"};

const CleaningCategory kFuzzCategories[] = {CleaningCategory::userCache, CleaningCategory::systemJunk,
                                            CleaningCategory::largeFiles, CleaningCategory::trashBins,
                                            CleaningCategory::privacySweep};

std::vector<CleanableItem> randomItems(std::mt19937& random, const FuzzHome& fixture, int count,
                                       bool onlyInsideTheFixture) {
    const std::vector<std::string> starts{fixture.root,
                                          fixture.home,
                                          fixture.home + "/Library",
                                          fixture.home + "/Library/Caches",
                                          fixture.home + "/.local/share/Trash/files",
                                          fixture.home + "/Downloads",
                                          fixture.home + "//Library/./Caches/",
                                          "~/Library/Caches",
                                          "Library/Caches",
                                          ""};
    std::vector<CleanableItem> items;
    while (static_cast<int>(items.size()) < count) {
        const std::string path = randomPath(random, starts, kFuzzFragments, [&](const std::string& at) {
            std::vector<std::string> names;
            const std::string resolved = at.starts_with('/') ? resolvingSymlinksInPath(at) : "";
            std::error_code error;
            if (PathText::isSameOrInside(resolved, fixture.root) && fs::is_directory(resolved, error))
                for (const auto& entry : fs::directory_iterator(resolved, error))
                    names.push_back(entry.path().filename().string());
            return names;
        });
        // The ordinary pass really deletes: give it only paths that lead into the fixture, so that a fault
        // could never reach a real folder. Relative and "~" paths must be refused before they are looked at.
        if (onlyInsideTheFixture && path.starts_with('/') &&
            !PathText::isStrictlyInside(resolvingSymlinksInPath(path), fixture.root))
            continue;
        const auto category = kFuzzCategories[std::uniform_int_distribution<int>(0, 4)(random)];
        items.push_back(test::itemAt(path, 10, category));
    }
    return items;
}

// Every entry that disappeared lay where a clean may remove it; counts them into `removedAtAll`.
void expectOnlyAllowedRemovals(const std::map<std::string, fs::file_type>& before,
                               const std::map<std::string, fs::file_type>& after, const Oracle& oracle,
                               int round, int& removedAtAll) {
    for (const auto& [path, type] : before) {
        if (after.contains(path))
            continue;
        ++removedAtAll;
        const Parts parts = partsOf(path);
        const bool allowed =
            oracle.allowedRoot(parts) || (type == fs::file_type::regular && oracle.singleFile(parts));
        ASSERT_TRUE(allowed) << "removed " << path << " (round " << round << ")";
    }
}

// Places outside the allowed roots, and allowed roots themselves, always survive.
void expectSentinelsKept(const FuzzHome& fixture) {
    EXPECT_TRUE(fs::exists(fixture.root + "/outside/secret.txt"));
    EXPECT_TRUE(fs::exists(fixture.root + "/outside/nested/deep.txt"));
    EXPECT_TRUE(fs::exists(fixture.home + "/Pictures/photo.jpg"));
    EXPECT_TRUE(fs::exists(fixture.home + "/Library/CachesOld/keep.txt"));
    EXPECT_TRUE(fs::exists(fixture.home + "/Library/Containers"));
    EXPECT_TRUE(fs::exists(fixture.home + "/Documents/Thesis"));
    EXPECT_TRUE(fs::exists(fixture.home + "/.local/share/Trash/files"));
    EXPECT_TRUE(fs::exists(fixture.home + "/.Trash/old.txt"));
}

TEST(CleaningEngineFuzz, NothingOutsideTheAllowedPlacesIsEverRemoved) {
    std::mt19937 random(8675309);
    int removedAtAll = 0;
    for (int round = 0; round < 12; ++round) {
        test::FixtureTree tree;
        FuzzHome fixture(tree);
        CleaningEngineOptions options;
        options.adminRunner = std::make_shared<test::RecordingAdminRunner>();
        options.systemFolders = test::fixtureCleaningFolders(tree);
        Oracle oracle(fixture.home, options.systemFolders.allowedRoots);
        CleaningEngine engine(fixture.home, options);

        const auto before = fixture.snapshot();
        const auto items = randomItems(random, fixture, 300, true);
        CleaningResult result = engine.cleanItems(items, nullptr);
        const auto after = fixture.snapshot();

        expectOnlyAllowedRemovals(before, after, oracle, round, removedAtAll);
        if (::testing::Test::HasFatalFailure())
            return;
        EXPECT_LE(result.deletedPaths.size(), static_cast<std::size_t>(result.deletedCount));
        for (const auto& deleted : result.deletedPaths)
            EXPECT_TRUE(
                std::any_of(items.begin(), items.end(), [&](auto& item) { return item.path == deleted; }));
        expectSentinelsKept(fixture);
    }
    EXPECT_GT(removedAtAll, 0); // the paths did reach removable things
}

TEST(CleaningEngineFuzz, TheAdministratorSideRemovesNothingOutsideTheAllowedPlaces) {
    std::mt19937 random(5551212);
    int removedAtAll = 0;
    for (int round = 0; round < 8; ++round) {
        test::FixtureTree tree;
        FuzzHome fixture(tree);
        PrivilegedRemovalContext context;
        context.systemFolders = test::fixtureCleaningFolders(tree);
        Oracle oracle(fixture.home, context.systemFolders.allowedRoots);
        context.callingUserId = "4242";
        context.people = test::kPeople;
        context.homeOfUser = [&](uid_t) { return std::optional<std::string>(fixture.home); };

        // Each random path both as written and as resolved, as if the list had been rewritten at will.
        std::vector<PrivilegedRemovalRecord> records;
        for (const auto& item : randomItems(random, fixture, 200, true)) {
            records.push_back({item.category, item.path});
            if (item.path.starts_with('/'))
                records.push_back({item.category, resolvingSymlinksInPath(item.path)});
        }
        const auto before = fixture.snapshot();
        std::istringstream input(encodePrivilegedRemovalRecords(records));
        std::ostringstream output;
        ASSERT_EQ(runPrivilegedRemoval({"zelvanexal", "--privileged-remove"}, input, output, context), 0);
        const auto after = fixture.snapshot();

        expectOnlyAllowedRemovals(before, after, oracle, round, removedAtAll);
        if (::testing::Test::HasFatalFailure())
            return;
        expectSentinelsKept(fixture);
        EXPECT_TRUE(fs::exists(fixture.home + "/Library/Caches"));
    }
    EXPECT_GT(removedAtAll, 0);
}

TEST(CleaningEngineFuzz, TheAdministratorPassStagesOnlyAllowedPaths) {
    std::mt19937 random(1234567);
    test::FixtureTree tree;
    FuzzHome fixture(tree);
    const SystemCleaningFolders systemFolders = test::fixtureCleaningFolders(tree);
    Oracle oracle(fixture.home, systemFolders.allowedRoots);
    auto runner = std::make_shared<test::RecordingAdminRunner>();
    std::vector<std::string> staged;
    runner->onRun = [&](const AdminCommand& command) {
        const std::string form = "/usr/bin/xargs -0 /bin/rm -rf -- < '";
        std::string stagingPath = command.shellCommand.substr(form.size());
        stagingPath.pop_back();
        std::ifstream file(stagingPath, std::ios::binary);
        for (std::string path; std::getline(file, path, '\0');)
            staged.push_back(path);
        return AdminRunOutcome{AdminRunOutcome::Status::cancelled, "(-128)"}; // removes nothing
    };
    CleaningEngineOptions options;
    options.adminRunner = runner;
    options.temporaryDirectory = tree.folder("tmp");
    options.systemFolders = systemFolders;
    CleaningEngine engine(fixture.home, options);

    for (int round = 0; round < 10; ++round) {
        // Nothing is removed here, so the paths may lead anywhere, through "/" and out of the fixture.
        const auto items = randomItems(random, fixture, 300, false);
        staged.clear();
        engine.cleanWithAdminPrivileges(items);
        for (const auto& path : staged) {
            const Parts parts = partsOf(path);
            struct stat info;
            const bool regular = ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
            ASSERT_TRUE(oracle.strictlyInsideARoot(parts) || (regular && oracle.singleFile(parts)) ||
                        oracle.escalation(path))
                << "staged " << path;
            ASSERT_EQ(resolvingSymlinksInPath(path), path);
        }
    }
}

} // namespace
} // namespace zn
