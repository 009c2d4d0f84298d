#include "Platform/qt/FileIcons.h"
#include "Views/Apps/InstalledAppIcon.h"
#include "Views/Apps/InstalledAppsModel.h"
#include "appsupport/AppStateHarness.h"
#include "support/FixtureTree.h"

#include <QImage>
#include <QTableView>
#include <gtest/gtest.h>

#include <condition_variable>
#include <filesystem>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace zn {
namespace {

using namespace std::chrono_literals;

// Opens the named pipes for writing, and so lets any reader stuck in open() go on, once `patience` has passed
// without being disarmed: a reader on the main thread makes the test fail, not hang. It tells that a pipe was
// opened for reading only when a writer's open found a reader, so a slow machine alone never fails the test.
class PipeWatchdog {
public:
    PipeWatchdog(std::vector<std::string> pipes, std::chrono::seconds patience)
        : pipes_(std::move(pipes)), thread_([this, patience] {
              std::unique_lock lock(mutex_);
              if (disarmed_.wait_for(lock, patience, [this] { return done_; }))
                  return;
              while (!done_) {
                  for (const std::string& pipe : pipes_)
                      if (const int writer = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                          writer >= 0) {
                          readerFound_ = true;
                          ::close(writer);
                      }
                  disarmed_.wait_for(lock, 50ms, [this] { return done_; });
              }
          }) {}
    ~PipeWatchdog() { disarm(); }

    bool disarm() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        disarmed_.notify_all();
        if (thread_.joinable())
            thread_.join();
        return readerFound_;
    }

private:
    std::vector<std::string> pipes_;
    std::mutex mutex_;
    std::condition_variable disarmed_;
    bool done_ = false;
    bool readerFound_ = false;
    std::thread thread_;
};

std::string bundle(test::FixtureTree& tree, const std::string& name, const std::string& iconFile) {
    tree.textFile("Applications/" + name + ".app/Contents/Info.plist",
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                  "<key>CFBundleIdentifier</key><string>com.acme." + name + "</string>"
                  "<key>CFBundleIconFile</key><string>" + iconFile + "</string></dict></plist>\n");
    return tree.folder("Applications/" + name + ".app/Contents/Resources");
}

std::string namedPipe(const std::string& path) {
    EXPECT_EQ(::mkfifo(path.c_str(), 0644), 0);
    return path;
}

bool isGeneric(const QIcon& icon) {
    return icon.cacheKey() == genericApplicationIcon().cacheKey();
}

// Bundles whose icon, or whose Info.plist, is a named pipe: the table comes up with the generic icon and
// stays with it, and nothing waits for a writer. A real icon arrives later, read off the main thread.
TEST(InstalledAppIcon, PipesNeverHangTheTableAndIconsArriveLater) {
    test::FixtureTree tree;
    const std::string pipedIcon = namedPipe(bundle(tree, "Piped", "AppIcon") + "/AppIcon");
    bundle(tree, "PipedList", "AppIcon");
    const std::string pipedList = tree.path("Applications/PipedList.app/Contents/Info.plist");
    std::filesystem::remove(pipedList);
    namedPipe(pipedList);
    QImage red(32, 32, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(QString::fromStdString(bundle(tree, "Painted", "Painted") + "/Painted.png")));
    const std::string leftover = namedPipe(tree.folder("Library") + "/leftover.fifo");
    PipeWatchdog watchdog({pipedIcon, pipedList, leftover}, 20s);

    std::vector<InstalledApp> apps;
    for (const char* name : {"Piped", "PipedList", "Painted"})
        apps.push_back({Uuid::random(), name, std::string("com.acme.") + name,
                        tree.path(std::string("Applications/") + name + ".app"), 100});
    InstalledAppsModel model;
    model.setApps(apps);
    int iconChanges = 0;
    QObject::connect(&model, &QAbstractItemModel::dataChanged, [&] { ++iconChanges; });
    QTableView table;
    table.setModel(&model);
    table.resize(400, 300);
    table.show();
    test::processQueuedWork();
    for (int row = 0; row < 3; ++row)
        EXPECT_TRUE(isGeneric(model.data(model.index(row, 0), Qt::DecorationRole).value<QIcon>())) << row;
    EXPECT_TRUE(FileIcons::shared().fileIcon(leftover).isNull()); // not read yet either

    ASSERT_TRUE(test::waitUntil([] { return !FileIcons::shared().isLoading(); }));
    test::processQueuedWork();
    EXPECT_FALSE(watchdog.disarm()) << "a named pipe was opened for reading";
    EXPECT_TRUE(isGeneric(model.data(model.index(0, 0), Qt::DecorationRole).value<QIcon>()));
    EXPECT_TRUE(isGeneric(model.data(model.index(1, 0), Qt::DecorationRole).value<QIcon>()));
    const QIcon painted = model.data(model.index(2, 0), Qt::DecorationRole).value<QIcon>();
    ASSERT_FALSE(isGeneric(painted));
    EXPECT_EQ(painted.pixmap(32, 32).toImage().pixelColor(16, 16), QColor(Qt::red));
    EXPECT_GE(iconChanges, 1);
}

} // namespace
} // namespace zn
