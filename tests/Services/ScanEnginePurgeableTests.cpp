#include "Services/ScanEngine.h"
#include "support/FakeVolumeInfo.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/LogCapture.h"
#include "support/ScopedTimeZone.h"

#include <fstream>
#include <gtest/gtest.h>
#include <plist/plist.h>

namespace zn {
namespace {

using test::FixtureTree;

constexpr std::int64_t kGB = 1'000'000'000;
constexpr const char* kListSource = "getLocalSnapshots()";
constexpr const char* kSizeSource = "getSnapshotSize(name:)";

std::string apfsListing(const std::string& snapshotsValue) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>Snapshots</key>" +
           snapshotsValue + "</dict></plist>\n";
}

std::string apfsEntry(const std::string& name, const std::string& dataSize) {
    return "<dict><key>SnapshotName</key><string>" + name + "</string><key>SnapshotUUID</key>" +
           "<string>6F0A6C1E-4F50-4E8B-9E3B-2B5C3D7A1F00</string>" +
           (dataSize.empty() ? "" : "<key>DataSize</key>" + dataSize) + "</dict>";
}

// A home, fake `tmutil` and `diskutil` tools that print fixed output, note each run and end with a failing
// status (which is not examined), and a volume whose purgeable space the test sets.
class SnapshotTools {
public:
    SnapshotTools() { tree.folder("home"); }

    void tmutilPrints(const std::string& output) {
        tree.textFile("tool-output/tmutil", output);
        tree.executable("system/usr/bin/tmutil", "#!/bin/sh\necho \"tmutil $*\" >>'" + tree.path("runs") +
                                                     "'\ncat '" + tree.path("tool-output/tmutil") +
                                                     "'\nexit 3\n");
    }
    void diskutilPrints(const std::string& output) {
        tree.textFile("tool-output/diskutil", output);
        tree.executable("system/usr/sbin/diskutil", "#!/bin/sh\necho \"diskutil $*\" >>'" +
                                                        tree.path("runs") + "'\ncat '" +
                                                        tree.path("tool-output/diskutil") + "'\nexit 1\n");
    }
    void purgeable(std::int64_t bytes) {
        volume->capacities_.availableForImportantUsage = *volume->capacities_.available + bytes;
    }

    ScanEngine engine() {
        ScanEngineOptions options = test::fixtureEngineOptions(tree);
        options.volumeInfo = volume;
        return ScanEngine(tree.path("home"), options);
    }
    std::vector<std::string> runs() const {
        std::ifstream file(tree.path("runs"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);)
            lines.push_back(line);
        return lines;
    }

    FixtureTree tree;
    std::shared_ptr<test::FakeVolumeInfo> volume = std::make_shared<test::FakeVolumeInfo>();
};

TEST(ScanEnginePurgeable, PurgeableItemFirstAndSnapshotsOutsideTheTotal) {
    test::ScopedTimeZone utc("UTC0");
    SnapshotTools tools;
    tools.purgeable(5 * kGB);
    tools.tmutilPrints("Snapshots for disk /:\n"
                       " \t com.apple.TimeMachine.2024-01-15-123456.local\t \n"
                       "com.apple.timemachine.2024-01-16-000000.local\n"
                       "\n"
                       "com.apple.TimeMachine.2024-02-01-101010.local\n");
    tools.diskutilPrints(apfsListing(
        "<array>" +
        apfsEntry("com.apple.TimeMachine.2024-01-15-123456.local", "<integer>2000000000</integer>") +
        apfsEntry("com.apple.timemachine.2024-01-16-000000.local", "<integer>4000000000</integer>") +
        apfsEntry("com.apple.TimeMachine.2024-02-01-101010.local", "<integer>3000000000</integer>") +
        "</array>"));
    ScanEngine engine = tools.engine();
    test::LogCapture log;

    CategoryResult result = engine.scanPurgeableSpace();
    EXPECT_EQ(result.category, CleaningCategory::purgeableSpace);
    ASSERT_EQ(result.items.size(), 3u);
    const CleanableItem& purgeable = result.items[0];
    EXPECT_EQ(purgeable.name, "Mac-managed space");
    EXPECT_EQ(purgeable.path, "/");
    EXPECT_EQ(purgeable.size, 5 * kGB);
    EXPECT_TRUE(purgeable.isSelected);
    EXPECT_EQ(purgeable.lastModified, std::nullopt);

    const CleanableItem& first = result.items[1];
    EXPECT_EQ(first.name, "Time Machine snapshot: com.apple.TimeMachine.2024-01-15-123456.local");
    EXPECT_EQ(first.path, "com.apple.TimeMachine.2024-01-15-123456.local");
    EXPECT_EQ(first.size, 2 * kGB);
    EXPECT_FALSE(first.isSelected);
    EXPECT_EQ(first.lastModified, std::chrono::system_clock::from_time_t(1'705'322'096));
    EXPECT_EQ(result.items[2].path, "com.apple.TimeMachine.2024-02-01-101010.local");
    EXPECT_EQ(result.items[2].size, 3 * kGB);
    for (const auto& item : result.items)
        EXPECT_EQ(item.category, CleaningCategory::purgeableSpace);
    EXPECT_EQ(result.totalSize, 5 * kGB);

    // One listing, then one APFS listing per snapshot line; the other letter case names no snapshot.
    EXPECT_EQ(tools.runs(),
              (std::vector<std::string>{"tmutil listlocalsnapshots /", "diskutil apfs listSnapshots / -plist",
                                        "diskutil apfs listSnapshots / -plist"}));
    EXPECT_TRUE(log.entries().empty());
}

TEST(ScanEnginePurgeable, SnapshotsWithoutPurgeableSpaceLeaveTheTotalAtZero) {
    test::ScopedTimeZone utc("UTC0");
    SnapshotTools tools;
    tools.purgeable(10 * 1024 * 1024); // not more than 10 MiB: none
    tools.tmutilPrints("com.apple.TimeMachine.local\n"
                       "com.apple.TimeMachine.2024-01-15-123456.2023-05-05-050505.local\n"
                       "com.apple.TimeMachine.2024-02-30-000000.local");
    tools.diskutilPrints(apfsListing(
        "<array>" + apfsEntry("com.apple.TimeMachine.local", "<integer>1</integer>") +
        apfsEntry("com.apple.TimeMachine.2024-01-15-123456.2023-05-05-050505.local", "<integer>2</integer>") +
        apfsEntry("com.apple.TimeMachine.2024-02-30-000000.local", "<integer>3</integer>") + "</array>"));
    ScanEngine engine = tools.engine();

    CategoryResult result = engine.scanCategory(CleaningCategory::purgeableSpace);
    ASSERT_EQ(result.items.size(), 3u);
    EXPECT_EQ(result.totalSize, 0);
    // A name without a time still makes an item; of two times, the one nearer the start counts.
    EXPECT_EQ(result.items[0].lastModified, std::nullopt);
    EXPECT_EQ(result.items[1].lastModified, std::chrono::system_clock::from_time_t(1'705'322'096));
    EXPECT_EQ(result.items[2].lastModified, std::nullopt);
    for (const auto& item : result.items)
        EXPECT_FALSE(item.isSelected);
}

TEST(ScanEnginePurgeable, SnapshotsWithoutAnIntegerSizeArePassedOver) {
    SnapshotTools tools;
    tools.tmutilPrints("TimeMachine.twice\nTimeMachine.text\nTimeMachine.huge\nTimeMachine.real\n"
                       "TimeMachine.zero\nTimeMachine.negative\nTimeMachine.absent\nTimeMachine.nameless\n");
    tools.diskutilPrints(apfsListing(
        "<array>" + apfsEntry("TimeMachine.twice", "") +
        apfsEntry("TimeMachine.twice", "<integer>700</integer>") +
        apfsEntry("TimeMachine.text", "<string>700</string>") +
        apfsEntry("TimeMachine.huge", "<integer>18446744073709551615</integer>") +
        apfsEntry("TimeMachine.real", "<real>700.0</real>") +
        apfsEntry("TimeMachine.zero", "<integer>0</integer>") +
        apfsEntry("TimeMachine.negative", "<integer>-5</integer>") +
        "<dict><key>SnapshotName</key><integer>1</integer><key>DataSize</key><integer>9</integer></dict>" +
        "</array>"));
    ScanEngine engine = tools.engine();
    test::LogCapture log;

    CategoryResult result = engine.scanPurgeableSpace();
    ASSERT_EQ(result.items.size(), 1u);
    EXPECT_EQ(result.items[0].path, "TimeMachine.twice");
    EXPECT_EQ(result.items[0].size, 700);

    // A size of 0 or less is left out without a word.
    std::vector<std::string> expected;
    for (const char* name : {"TimeMachine.text", "TimeMachine.huge", "TimeMachine.real", "TimeMachine.absent",
                             "TimeMachine.nameless"})
        expected.push_back(std::string("Snapshot ") + name + " not found in APFS listing");
    EXPECT_EQ(log.messages(), expected);
    for (const auto& entry : log.entries()) {
        EXPECT_EQ(entry.level, LogLevel::info);
        EXPECT_EQ(entry.source, kSizeSource);
    }
}

TEST(ScanEnginePurgeable, ListingsOfAnotherShapeCannotBeParsed) {
    SnapshotTools tools;
    tools.tmutilPrints("com.apple.TimeMachine.x.local\n");
    ScanEngine engine = tools.engine();
    const std::string parseFailure = "Could not parse APFS snapshot plist for com.apple.TimeMachine.x.local";
    const std::string notFound = "Snapshot com.apple.TimeMachine.x.local not found in APFS listing";

    const std::vector<std::pair<std::string, std::string>> cases{
        {"not a property list", parseFailure},
        {"", parseFailure},
        {"<?xml version=\"1.0\"?><plist version=\"1.0\"><array/></plist>", parseFailure},
        {"<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>Volumes</key><array/></dict></plist>",
         parseFailure},
        {apfsListing("<dict/>"), parseFailure},
        {apfsListing("<array><string>com.apple.TimeMachine.x.local</string></array>"), parseFailure},
        {apfsListing("<array/>"), notFound},
        // A NUL in a string refuses the listing whole.
        {apfsListing("<array>" +
                     apfsEntry(std::string("com.apple.TimeMachine.x.local\0", 30), "<integer>1</integer>") +
                     "</array>"),
         parseFailure},
    };
    for (const auto& [output, message] : cases) {
        tools.diskutilPrints(output);
        test::LogCapture log;
        EXPECT_TRUE(engine.scanPurgeableSpace().items.empty()) << output;
        auto entries = log.entries();
        ASSERT_EQ(entries.size(), 1u) << output;
        EXPECT_EQ(entries[0].message, message);
        EXPECT_EQ(entries[0].level, LogLevel::info);
        EXPECT_EQ(entries[0].source, kSizeSource);
    }
}

TEST(ScanEnginePurgeable, BinaryListingsAreRead) {
    SnapshotTools tools;
    tools.tmutilPrints("com.apple.TimeMachine.x.local\n");
    plist_t listing = nullptr;
    const std::string xml = apfsListing(
        "<array>" + apfsEntry("com.apple.TimeMachine.x.local", "<integer>123456789012</integer>") +
        "</array>");
    plist_from_xml(xml.data(), static_cast<uint32_t>(xml.size()), &listing);
    ASSERT_NE(listing, nullptr);
    char* binary = nullptr;
    uint32_t length = 0;
    plist_to_bin(listing, &binary, &length);
    plist_free(listing);
    ASSERT_NE(binary, nullptr);
    tools.diskutilPrints(std::string(binary, length));
    plist_to_bin_free(binary);
    ScanEngine engine = tools.engine();

    CategoryResult result = engine.scanPurgeableSpace();
    ASSERT_EQ(result.items.size(), 1u);
    EXPECT_EQ(result.items[0].size, 123'456'789'012);
}

TEST(ScanEnginePurgeable, MissingToolsAreLoggedAndCostOnlyTheSnapshots) {
    SnapshotTools tools;
    tools.purgeable(5 * kGB);
    ScanEngine engine = tools.engine();
    test::LogCapture log;

    CategoryResult result = engine.scanPurgeableSpace();
    ASSERT_EQ(result.items.size(), 1u);
    EXPECT_EQ(result.items[0].name, "Mac-managed space");
    EXPECT_EQ(result.totalSize, 5 * kGB);
    auto entries = log.entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].message, "tmutil listlocalsnapshots failed: No such file or directory");
    EXPECT_EQ(entries[0].level, LogLevel::info);
    EXPECT_EQ(entries[0].source, kListSource);

    tools.tmutilPrints("com.apple.TimeMachine.a.local\ncom.apple.TimeMachine.b.local\n");
    test::LogCapture second;
    EXPECT_EQ(engine.scanPurgeableSpace().items.size(), 1u);
    entries = second.entries();
    ASSERT_EQ(entries.size(), 2u);
    for (const auto& entry : entries) {
        EXPECT_EQ(entry.message, "diskutil apfs listSnapshots failed: No such file or directory");
        EXPECT_EQ(entry.level, LogLevel::warning);
        EXPECT_EQ(entry.source, kSizeSource);
    }
}

TEST(ScanEnginePurgeable, ListingThatIsNotUtf8GivesNoSnapshotsSilently) {
    SnapshotTools tools;
    tools.tmutilPrints("com.apple.TimeMachine.\xff.local\n");
    tools.diskutilPrints(apfsListing("<array/>"));
    ScanEngine engine = tools.engine();
    test::LogCapture log;

    EXPECT_TRUE(engine.scanPurgeableSpace().items.empty());
    EXPECT_TRUE(log.entries().empty());
    EXPECT_EQ(tools.runs(), std::vector<std::string>{"tmutil listlocalsnapshots /"});
}

TEST(ScanEnginePurgeable, HungListingIsStoppedAndLogged) {
    SnapshotTools tools;
    tools.tree.executable("system/usr/bin/tmutil",
                          "#!/bin/sh\necho com.apple.TimeMachine.a.local\nsleep 30\n");
    ScanEngineOptions options = test::fixtureEngineOptions(tools.tree);
    options.volumeInfo = tools.volume;
    options.toolTimeLimit = std::chrono::seconds(1);
    ScanEngine engine(tools.tree.path("home"), options);
    test::LogCapture log;

    EXPECT_TRUE(engine.scanPurgeableSpace().items.empty());
    auto entries = log.entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].message, "tmutil listlocalsnapshots failed: still running after 1 s; stopped");
    EXPECT_EQ(entries[0].level, LogLevel::info);
    EXPECT_EQ(entries[0].source, kListSource);
}

} // namespace
} // namespace zn
