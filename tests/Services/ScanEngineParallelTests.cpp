#include "Services/ScanEngine.h"
#include "support/FakeVolumeInfo.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/Patience.h"

#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <sys/stat.h>
#include <thread>

namespace zn {
namespace {

using test::FixtureTree;
using namespace std::chrono_literals;

std::string number(int value) {
    return std::to_string(value);
}

// A home with something for every category, and listings long enough that their entries are sized on
// several threads at once.
void layOutHome(FixtureTree& tree) {
    for (int i = 0; i < 40; ++i) {
        tree.file("home/Library/Caches/app-" + number(i) + "/data/blob", 1000 + 37 * i);
        tree.file("home/Library/Caches/app-" + number(i) + "/more", 500);
        tree.file("home/.local/share/Trash/files/old-" + number(i) + ".bin", 900 + 13 * i);
        tree.file("home/Library/Logs/tool-" + number(i) + "/x.log", 2000 + i);
        tree.file("system/Library/Caches/sys-" + number(i) + "/c", 3000 + i);
        tree.file("system/tmp/t-" + number(i), 1500 + i);
        tree.setModificationTime("system/tmp/t-" + number(i), 1'600'000'000); // old enough to be offered
        tree.file("home/Library/Mail Downloads/att-" + number(i), 1100 + i);
    }
    tree.file("home/Library/Containers/com.apple.mail/Data/Library/Mail Downloads/late", 5000);
    tree.file("home/Library/Caches/Google/Chrome/Default/Cache/x", 5000);
    tree.file("home/Library/Caches/pip/wheel", 2000);
    tree.file("home/.npm/_cacache/index/a", 4000);
    tree.file("home/.cache/pip", 1024);

    tree.file("home/Library/Safari/History.db", 700);
    tree.file("home/Library/Application Support/Google/Chrome/Default/History", 300);
    tree.file("home/Library/Application Support/Google/Chrome/Profile 1/History", 300);
    tree.file("home/Library/Application Support/Firefox/Profiles/abc.default/places.sqlite", 800);
    tree.file("home/.ollama/logs/server.log", 3000);

    // Equal sizes in many folders: only the walk order ranks them.
    for (int i = 0; i < 12; ++i) {
        tree.file("home/Documents/project-" + number(i) + "/video.mov", 150'000'000);
        tree.file("home/Documents/project-" + number(i) + "/nested/deeper/take.mov", 200'000'000 + i % 3);
        tree.file("home/Downloads/d-" + number(i) + ".iso", 150'000'000);
    }
    tree.file("home/Desktop/big.bin", 150'000'000);

    tree.file("home/Library/Developer/Xcode/DerivedData/App/x", 9000);
    tree.file("home/Library/Caches/com.apple.dt.Xcode/y", 1500);
    tree.file("home/.docker/buildx/cache/e", 6000);
    tree.file("home/Library/Containers/com.docker.docker/Data/log/vm/console.log", 2000);
    tree.executable("system/usr/local/bin/docker", "#!/bin/sh\nprintf '2.5GB (50%%)\\n'\n");
    tree.file("home/Library/Caches/Homebrew/bottle", 7000);
    tree.file("system/opt/homebrew/Library/Caches/Homebrew/bottle", 8000);
    tree.executable("system/opt/homebrew/bin/brew",
                    "#!/bin/sh\necho '" + tree.path("system/opt/homebrew/Library/Caches/Homebrew") + "'\n");
    tree.file("home/Library/Caches/Yarn/v6/pkg", 3333);
    tree.file("home/yarn-elsewhere/pkg", 4444);
    tree.executable("system/usr/local/bin/yarn",
                    "#!/bin/sh\necho '" + tree.path("home/yarn-elsewhere") + "'\n");
}

ScanEngineOptions optionsFor(const FixtureTree& tree, unsigned workers) {
    ScanEngineOptions options = test::fixtureEngineOptions(tree);
    options.volumeInfo = std::make_shared<test::FakeVolumeInfo>();
    // Years after the fixture was made, so that its temporary entries have rested.
    options.now = [] { return std::chrono::system_clock::from_time_t(2'000'000'000); };
    options.workers = std::make_shared<WorkerPool>(workers);
    return options;
}

// Everything of the results but their random identifiers.
std::string resultsJson(const std::vector<CategoryResult>& results) {
    nlohmann::ordered_json all = nlohmann::ordered_json::array();
    for (const CategoryResult& result : results) {
        nlohmann::ordered_json items = nlohmann::ordered_json::array();
        for (const CleanableItem& item : result.items)
            items.push_back(
                {{"name", item.name},
                 {"path", item.path},
                 {"size", item.size},
                 {"category", rawValue(item.category)},
                 {"selected", item.isSelected},
                 {"modified", item.lastModified
                                  ? nlohmann::ordered_json(item.lastModified->time_since_epoch().count())
                                  : nlohmann::ordered_json()}});
        all.push_back(
            {{"category", rawValue(result.category)}, {"total", result.totalSize}, {"items", items}});
    }
    return all.dump(1);
}

TEST(ScanEngineParallel, TheSameTreeGivesTheSameBytesEveryTime) {
    FixtureTree tree;
    layOutHome(tree);
    const std::vector<CleaningCategory> categories(scannableCategories().begin(),
                                                   scannableCategories().end());

    // The reference: no workers, one category after another, every step in order on this thread.
    ScanEngine alone(tree.path("home"), optionsFor(tree, 0));
    std::vector<CategoryResult> oneByOne;
    for (CleaningCategory category : categories)
        oneByOne.push_back(alone.scanCategory(category));
    const std::string expected = resultsJson(oneByOne);
    std::size_t itemCount = 0;
    for (const CategoryResult& result : oneByOne)
        itemCount += result.items.size();
    ASSERT_GT(itemCount, 250u) << expected;

    ScanEngine engine(tree.path("home"), optionsFor(tree, 6));
    for (int run = 0; run < 20; ++run)
        ASSERT_EQ(resultsJson(engine.scanCategories(categories)), expected) << "run " << run;
}

bool appearsWithin(const std::string& path, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    struct stat info;
    while (::stat(path.c_str(), &info) != 0) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

// Measuring a folder named here waits until a tool has left its mark, and notes whether it did in time: a
// scan that ran its tools only after its walks would wait in vain.
class WaitingFileSystem : public PosixFileSystem {
public:
    std::map<std::string, std::string> markOfFolder;
    mutable std::mutex mutex;
    mutable std::map<std::string, bool> markSeen;

    std::int64_t directorySize(const std::string& path) const override {
        auto mark = markOfFolder.find(path);
        if (mark != markOfFolder.end()) {
            const bool seen = appearsWithin(mark->second, test::kPatience);
            std::lock_guard lock(mutex);
            markSeen[path] = seen;
        }
        return PosixFileSystem::directorySize(path);
    }
};

TEST(ScanEngineParallel, ToolsRunWhileFoldersAreMeasured) {
    FixtureTree tree;
    auto marking = [&](const std::string& mark, const std::string& output) {
        return "#!/bin/sh\ntouch '" + tree.path(mark) + "'\nprintf '%s\\n' '" + output + "'\n";
    };
    tree.executable("system/usr/local/bin/docker", marking("docker-ran", "1GB"));
    tree.executable("system/opt/homebrew/bin/brew",
                    marking("brew-ran", tree.path("home/Library/Caches/Homebrew")));
    tree.executable("system/usr/local/bin/npm", marking("npm-ran", tree.path("home/.npm")));
    auto files = std::make_shared<WaitingFileSystem>();
    // Within one scanner: the default cache folder waits for that scanner's own tool.
    tree.file("home/Library/Caches/Homebrew/a", 2000);
    files->markOfFolder[tree.path("home/Library/Caches/Homebrew")] = tree.path("brew-ran");
    tree.file("home/.npm/b", 2000);
    files->markOfFolder[tree.path("home/.npm")] = tree.path("npm-ran");
    // Across scanners: a user cache entry waits for the container tool of another category.
    tree.file("home/Library/Caches/app/c", 3000);
    files->markOfFolder[tree.path("home/Library/Caches/app")] = tree.path("docker-ran");

    // Enough workers for every tool even while three of them wait on purpose.
    ScanEngineOptions options = optionsFor(tree, 8);
    options.fileSystem = files;
    ScanEngine engine(tree.path("home"), options);
    auto results = engine.scanCategories({CleaningCategory::userCache, CleaningCategory::brewCache,
                                          CleaningCategory::nodeCache, CleaningCategory::dockerCache});
    EXPECT_EQ(files->markSeen, (std::map<std::string, bool>{{tree.path("home/.npm"), true},
                                                            {tree.path("home/Library/Caches/Homebrew"), true},
                                                            {tree.path("home/Library/Caches/app"), true}}));
    ASSERT_EQ(results.size(), 4u);
    EXPECT_EQ(results[0].category, CleaningCategory::userCache);
    EXPECT_EQ(results[0].totalSize, 3000);
    EXPECT_EQ(results[3].category, CleaningCategory::dockerCache);
    EXPECT_EQ(results[3].totalSize, 1'000'000'000);
}

TEST(ScanEngineParallel, AManyCategoryScanIsStillOneOperation) {
    FixtureTree tree;
    tree.executable("system/usr/local/bin/docker", "#!/bin/sh\ntouch '" + tree.path("started") +
                                                       "'\nwhile [ ! -e '" + tree.path("release") +
                                                       "' ]; do sleep 0.01; done\nprintf '1GB\\n'\n");
    ScanEngine engine(tree.folder("home"), optionsFor(tree, 2));

    auto scan = std::async(std::launch::async, [&] {
        return engine.scanCategories({CleaningCategory::dockerCache, CleaningCategory::trashBins});
    });
    ASSERT_TRUE(appearsWithin(tree.path("started"), test::kPatience));
    auto diskInfo = std::async(std::launch::async, [&] { return engine.getDiskInfo(); });
    // Another caller waits for the whole scan, its tool included.
    EXPECT_EQ(diskInfo.wait_for(300ms), std::future_status::timeout);
    tree.textFile("release", "");
    EXPECT_EQ(scan.get().front().totalSize, 1'000'000'000);
    EXPECT_EQ(diskInfo.get().totalSpace, 500'000'000'000);
}

} // namespace
} // namespace zn
