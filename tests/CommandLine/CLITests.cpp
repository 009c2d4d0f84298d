#include "CommandLine/CLI.h"
#include "Platform/core/Utf8.h"
#include "support/BinaryPropertyList.h"
#include "support/FixtureTree.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zn {
namespace {

const std::string kCategories =
    "System Cleanup, App Leftovers, Mac-managed Space, Privacy Sweep, Mail Downloads, "
    "Trash, Large Files, AI Apps, Xcode Cleanup, Homebrew Cache, Node.js Cache, "
    "Docker Cleanup";

struct Outcome {
    std::string out;
    std::string err;
    int status = -1;
    double cpuSeconds = 0;          // of the shell and the program it ran, whatever else the machine runs
    long peakResidentKilobytes = 0; // the largest of the shell and the program it ran
};

std::string slurp(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

double cpuSeconds(const rusage& usage) {
    const auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

// Starts the real program in the fixture, with a fixture home, no data home of its own and no display. The
// X11 platform is asked for explicitly, so any Qt application object would fail to start: the command line
// must work before one exists.
Outcome runProgram(test::FixtureTree& tree, const std::vector<std::string>& args,
                   const std::string& environment = "") {
    std::string command = "cd " + quoted(tree.root()) +
                          " && env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_DATA_HOME QT_QPA_PLATFORM=xcb " +
                          environment + " HOME=" + quoted(tree.folder("home")) + " " + quoted(ZN_EXECUTABLE);
    for (const auto& arg : args)
        command += " " + quoted(arg);
    command += " >" + quoted(tree.path("out")) + " 2>" + quoted(tree.path("err"));
    const pid_t shell = ::fork();
    if (shell == 0) {
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int raw = 0;
    rusage usage{};
    // The shell's usage takes in that of the program it waited for.
    const bool waited = shell > 0 && ::wait4(shell, &raw, 0, &usage) == shell;
    return {slurp(tree.path("out")), slurp(tree.path("err")),
            waited && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, cpuSeconds(usage), usage.ru_maxrss};
}

TEST(CLI, HelpAndVersion) {
    test::FixtureTree tree;
    const std::string usage = "Zelva Nexal CLI\n\nUsage: zelvanexal <command> [options]\n\nCommands:\n"
                              "  scan                    Scan all categories\n"
                              "  scan --category <name>  Scan a specific category\n"
                              "  scan --json             Output as JSON\n"
                              "  disk-info               Show disk usage\n"
                              "  list                    List installed apps\n"
                              "  version                 Show version\n"
                              "  help                    Show this help\n\nCategories:\n  " +
                              kCategories + "\n";
    for (const char* word : {"help", "--help", "-h"}) {
        Outcome outcome = runProgram(tree, {word});
        EXPECT_EQ(outcome.out, usage);
        EXPECT_EQ(outcome.err, "");
        EXPECT_EQ(outcome.status, 0);
    }
    Outcome version = runProgram(tree, {"version", "ignored"});
    EXPECT_EQ(version.out, "Zelva Nexal 2.0.0\n");
    EXPECT_EQ(version.status, 0);

    // Not a command word: the windowed program, which says why it cannot start without a display.
    for (const std::vector<std::string>& words : {std::vector<std::string>{"SCAN"}, {"scna"}, {}}) {
        Outcome windowed = runProgram(tree, words);
        EXPECT_EQ(windowed.out, "");
        EXPECT_EQ(windowed.err, "zelvanexal: cannot open a window: no display; try 'zelvanexal help'\n");
        EXPECT_EQ(windowed.status, 1);
    }
    // A display that is named but cannot be reached ends the same way, not with an abort.
    Outcome unreachable = runProgram(tree, {}, "DISPLAY=:4711");
    EXPECT_EQ(unreachable.out, "");
    EXPECT_TRUE(unreachable.err.ends_with(
        "zelvanexal: cannot open a window: the display could not be opened; try 'zelvanexal help'\n"))
        << unreachable.err;
    EXPECT_EQ(unreachable.status, 1);
}

// The dynamic loader names every shared object it loads, the window module and what it needs included.
TEST(CLI, CommandsLoadNoQtLibrary) {
    test::FixtureTree tree;
    tree.file("home/.local/share/Trash/files/old.bin", 2048);
    for (const auto& args : {std::vector<std::string>{"version"}, std::vector<std::string>{"scan", "--json"},
                             std::vector<std::string>{"help"}}) {
        Outcome outcome = runProgram(tree, args, "LD_DEBUG=files");
        EXPECT_EQ(outcome.status, 0) << args.front();
        EXPECT_NE(outcome.err.find("file=libc.so.6"), std::string::npos) << "the loader said nothing";
        EXPECT_EQ(outcome.err.find("libQt6"), std::string::npos) << args.front();
        EXPECT_EQ(outcome.err.find("zelvanexal-window"), std::string::npos) << args.front();
    }
    // The window does load it.
    Outcome window = runProgram(tree, {}, "LD_DEBUG=files");
    EXPECT_NE(window.err.find("zelvanexal-window.so"), std::string::npos);
    EXPECT_NE(window.err.find("libQt6Widgets"), std::string::npos);
    EXPECT_NE(window.status, 0);
}

TEST(CLI, ScanOneCategoryAsJsonAndTable) {
    test::FixtureTree tree;
    tree.file("home/.local/share/Trash/files/old.bin", 2048);
    tree.file("home/.Trash/not-the-desktops.bin", 4096); // no Linux program fills it

    Outcome json = runProgram(tree, {"scan", "--category", "trash", "--json"});
    EXPECT_EQ(json.out, "[\n    {\"category\": \"Trash\", \"items\": 1, \"bytes\": 2048}\n]\n");
    EXPECT_EQ(json.err, "");
    EXPECT_EQ(json.status, 0);

    Outcome table = runProgram(tree, {"scan", "--category", "TRASH", "extra"});
    EXPECT_EQ(table.out, "Category                Items     Size\n"
                         "----------------------  -----     --------\n"
                         "Trash                   1         2 KB\n"
                         "----------------------  -----     --------\n"
                         "Total                   1         2 KB\n");
    EXPECT_EQ(table.status, 0);

    // Only the word after the first "--category" counts.
    Outcome twice = runProgram(tree, {"scan", "--category", "trash", "--category", "Large Files", "--json"});
    EXPECT_EQ(twice.out, json.out);

    // The Trash is where $XDG_DATA_HOME says, when that is an absolute path.
    tree.file("data/Trash/files/elsewhere.bin", 3072);
    Outcome moved = runProgram(tree, {"scan", "--category", "trash", "--json"},
                               "XDG_DATA_HOME=" + quoted(tree.path("data")));
    EXPECT_EQ(moved.out, "[\n    {\"category\": \"Trash\", \"items\": 1, \"bytes\": 3072}\n]\n");
    // A relative one is ignored, even where it would name a Trash.
    Outcome relative = runProgram(tree, {"scan", "--category", "trash", "--json"}, "XDG_DATA_HOME=data");
    EXPECT_EQ(relative.out, json.out);
}

TEST(CLI, ScanOfAnEmptyHomeHasTwelveRows) {
    test::FixtureTree tree;
    Outcome outcome = runProgram(tree, {"scan", "--json"});
    EXPECT_EQ(outcome.status, 0);
    const auto rows = nlohmann::json::parse(outcome.out);
    ASSERT_EQ(rows.size(), 12u) << outcome.out;

    std::string names;
    for (const auto& row : rows)
        names += (names.empty() ? "" : ", ") + row["category"].get<std::string>();
    EXPECT_EQ(names, kCategories);
    // The other five also read system folders, the volume or tools installed on this machine.
    const std::set<std::string> readOnlyTheHome{"App Leftovers", "Privacy Sweep", "Mail Downloads", "Trash",
                                                "Large Files",   "AI Apps",       "Xcode Cleanup"};
    for (const auto& row : rows) {
        if (readOnlyTheHome.contains(row["category"].get<std::string>())) {
            EXPECT_EQ(row["items"], 0) << row.dump();
            EXPECT_EQ(row["bytes"], 0) << row.dump();
        }
    }
}

TEST(CLI, PrivacySweepAndMacManagedSpaceOfAFixtureHome) {
    test::FixtureTree tree;
    tree.file("home/Library/Safari/History.db", 700);
    tree.file("home/Library/Application Support/Google/Chrome/Default/History", 300);
    tree.file("home/Library/Application Support/Google/Chrome/Default/Sessions/Session_1", 1000); // too small
    tree.file("home/Library/Caches/Google/Chrome/Default/Cache/data_0", 5000);
    tree.file("home/Library/Application Support/Firefox/Profiles/abcd1234.default-release/places.sqlite",
              800);

    Outcome privacy = runProgram(tree, {"scan", "--category", "privacy sweep", "--json"});
    EXPECT_EQ(privacy.out, "[\n    {\"category\": \"Privacy Sweep\", \"items\": 4, \"bytes\": 6800}\n]\n");
    EXPECT_EQ(privacy.err, "");
    EXPECT_EQ(privacy.status, 0);

    if (std::system("test -e /usr/bin/tmutil || test -e /usr/sbin/diskutil") == 0)
        GTEST_SKIP() << "this machine has the snapshot tools";
    Outcome managed = runProgram(tree, {"scan", "--category", "Mac-managed Space", "--json"});
    EXPECT_EQ(managed.out, "[\n    {\"category\": \"Mac-managed Space\", \"items\": 0, \"bytes\": 0}\n]\n");
    EXPECT_EQ(managed.err, "");
    EXPECT_EQ(managed.status, 0);
}

TEST(CLI, UnknownCategoriesAndCommands) {
    test::FixtureTree tree;
    Outcome missing = runProgram(tree, {"scan", "--category", "--json"});
    EXPECT_EQ(missing.err, "Error: Unknown category: --json\n");
    EXPECT_EQ(missing.out, "Available: " + kCategories + "\n");
    EXPECT_EQ(missing.status, 1);

    Outcome noDot = runProgram(tree, {"scan", "--category", "node js cache", "--json"});
    EXPECT_EQ(noDot.err, "Error: Unknown category: node js cache\n");
    EXPECT_EQ(noDot.status, 1);
    Outcome withDot = runProgram(tree, {"scan", "--category", "node.js cache", "--json"});
    EXPECT_EQ(withDot.status, 0);
    EXPECT_EQ(withDot.out.rfind("[\n    {\"category\": \"Node.js Cache\", \"items\": ", 0), 0u);

    Outcome display = runProgram(tree, {"scan", "--category", "Mac Cleanup"});
    EXPECT_EQ(display.status, 1);
    Outcome quick = runProgram(tree, {"scan", "--category", "Quick Clean"});
    EXPECT_EQ(quick.status, 1);
    Outcome spaced = runProgram(tree, {"scan", "--category", "MAC-MANAGEDSPACE", "--json"});
    EXPECT_EQ(spaced.status, 0);
    EXPECT_NE(spaced.out.find("Mac-managed Space"), std::string::npos);

    Outcome unknown = runProgram(tree, {"scan"});
    EXPECT_EQ(unknown.status, 0);
    EXPECT_EQ(CLI::run({"frobnicate"}, {std::cout, std::cerr}), 1);
}

TEST(CLI, DiskInfoHasFourLinesOnLinux) {
    test::FixtureTree tree;
    Outcome outcome = runProgram(tree, {"disk-info"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_TRUE(
        std::regex_match(outcome.out, std::regex("Disk Usage:\n  Total:     [^\n]+\n  Used:      [^\n]+\n"
                                                 "  Free:      [^\n]+\n")))
        << outcome.out;
}

TEST(CLI, ListWithoutApplications) {
    test::FixtureTree tree;
    if (std::system("test -e /Applications") == 0)
        GTEST_SKIP() << "this machine has /Applications";
    Outcome outcome = runProgram(tree, {"list"});
    EXPECT_EQ(outcome.out, "Installed Apps (0):\n");
    EXPECT_EQ(outcome.status, 0);
}

// An Info.plist naming `identifier`, with one more key whose array uses `shared` `uses` times.
std::string infoPlistSharing(const std::string& identifier, const std::string& shared, std::size_t uses) {
    return test::binaryPropertyList(
        {test::binaryDictionaryObject({{1, 2}, {3, 4}}), test::binaryStringObject("CFBundleIdentifier"),
         test::binaryStringObject(identifier), test::binaryStringObject("CFBundleDocumentTypes"),
         test::binaryArrayObject(std::vector<std::uint32_t>(uses, 5)), shared});
}

// The identifier that `list` shows for the application `name`.
std::string listedIdentifier(const std::string& listing, const std::string& name) {
    std::smatch row;
    if (!std::regex_search(listing, row, std::regex("\n  " + name + " +[^ \n]+ [^ \n]+ +([^\n]*)\n")))
        return "(not listed)";
    return row[1];
}

TEST(CLI, ListReadsPastHostileInfoPlists) {
    test::FixtureTree tree;
    // 25,001 levels deep through shared objects under a dictionary that names the bundle, in 2.2 MB.
    std::vector<std::string> nested = test::chainsThroughSharedObjects(100, 250);
    const auto chains = static_cast<std::uint32_t>(nested.size());
    nested.push_back(nested.front());
    nested.front() = test::binaryDictionaryObject({{chains + 1, chains + 2}, {chains + 3, chains}});
    for (const char* text : {"CFBundleIdentifier", "com.example.nested", "CFBundleDocumentTypes"})
        nested.push_back(test::binaryStringObject(text));
    nested.push_back(test::binaryDataObject(2'000'000));
    tree.textFile("home/Applications/Nested.app/Contents/Info.plist", test::binaryPropertyList(nested));
    // A million uses of one string, in 4 MB.
    tree.textFile("home/Applications/Wide.app/Contents/Info.plist",
                  infoPlistSharing("com.example.wide", test::binaryStringObject("x"), 1'000'000));
    // 99,000 uses of one 4 KB string, data object or UTF-16 string, 400 KB each: read, they took 0.4 to
    // 0.8 GB apiece.
    tree.textFile(
        "home/Applications/Shared.app/Contents/Info.plist",
        infoPlistSharing("com.example.shared", test::binaryStringObject(std::string(4'096, 's')), 99'000));
    tree.textFile("home/Applications/SharedData.app/Contents/Info.plist",
                  infoPlistSharing("com.example.data", test::binaryDataObject(4'096), 99'000));
    tree.textFile("home/Applications/SharedUnicode.app/Contents/Info.plist",
                  infoPlistSharing("com.example.unicode",
                                   test::binaryUtf16StringObject(std::u16string(4'096, u'\u00E9')), 99'000));
    tree.textFile(
        "home/Applications/Notes.app/Contents/Info.plist",
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>CFBundleIdentifier</key>"
        "<string>com.example.notes</string><key>CFBundleName</key><string>Notes</string></dict></plist>");

    Outcome outcome = runProgram(tree, {"list"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(listedIdentifier(outcome.out, "Notes"), "com.example.notes") << outcome.out;
    // Each hostile list is refused whole: its application is listed under its file name alone.
    for (const char* refused : {"Nested", "Wide", "Shared", "SharedData", "SharedUnicode"})
        EXPECT_EQ(listedIdentifier(outcome.out, refused), refused) << outcome.out;
    // Refused unread: a fraction of a second of processor time and little memory, even built with the
    // address checker.
    EXPECT_LT(outcome.cpuSeconds, 3.0);
    EXPECT_LT(outcome.peakResidentKilobytes, 300 * 1024);
}

TEST(CLI, ListReadsPastInfoPlistsHoldingANulOrAFloodOfReferences) {
    using namespace std::string_literals;
    test::FixtureTree tree;
    const auto info = [&](const std::string& bundle, const std::string& bytes) {
        tree.textFile("home/Applications/" + bundle + ".app/Contents/Info.plist", bytes);
    };
    const auto binaryName = [](const std::string& key, const std::string& value) {
        return test::binaryPropertyList({test::binaryDictionaryObject({{1, 2}}), key, value});
    };
    const std::string xmlHead = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>";
    // Each of the first three ended the program on libplist's own assertion (exit 134).
    info("Unicode",
         binaryName(test::binaryStringObject("CFBundleName"), test::binaryUtf16StringObject(u"App\0"s)));
    info("Key",
         binaryName(test::binaryUtf16StringObject(u"CFBundleName\0"s), test::binaryStringObject("App")));
    info("Raw", xmlHead + "<key>CFBundleName</key><string>App\0</string></dict></plist>"s);
    // 800,000 references in one string of 4 MB: read, it took most of a minute.
    std::string flood = xmlHead + "<key>CFBundleIdentifier</key><string>com.example.flood</string>"
                                  "<key>CFBundleName</key><string>";
    for (int i = 0; i < 800'000; ++i)
        flood += "&amp;";
    info("Flood", flood + "</string></dict></plist>");
    info("Notes", xmlHead + "<key>CFBundleIdentifier</key><string>com.example.notes</string></dict></plist>");

    Outcome outcome = runProgram(tree, {"list"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(listedIdentifier(outcome.out, "Notes"), "com.example.notes") << outcome.out;
    for (const char* refused : {"Unicode", "Key", "Raw", "Flood"})
        EXPECT_EQ(listedIdentifier(outcome.out, refused), refused) << outcome.out;
}

TEST(CLI, ListShowsEachApplicationOnOneLineWhateverItsNamesHold) {
    test::FixtureTree tree;
    const auto named = [&](const std::string& bundle, const std::string& name,
                           const std::string& identifier) {
        tree.textFile("home/Applications/" + bundle + ".app/Contents/Info.plist",
                      test::binaryPropertyList({test::binaryDictionaryObject({{1, 2}, {3, 4}}),
                                                test::binaryStringObject("CFBundleName"),
                                                test::binaryStringObject(name),
                                                test::binaryStringObject("CFBundleIdentifier"),
                                                test::binaryStringObject(identifier)}));
    };
    named("Break", "Two\nLines\r", "com.example.break\n  Fake row");
    named("Escape", "\x1B[2JClear", "com.example.escape\x1B]0;title\x07");
    named("Reversed", "abc\u202Edef\u2066", "com.example.\u202Ereversed");
    named("Invalid", "Invalid\xC0\x8A", "com.example.\xFF\xFE\x9B");

    const Outcome outcome = runProgram(tree, {"list"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    std::smatch header;
    ASSERT_TRUE(std::regex_search(outcome.out, header, std::regex("^Installed Apps \\(([0-9]+)\\):\n")));
    EXPECT_EQ(std::count(outcome.out.begin(), outcome.out.end(), '\n'), std::stol(header[1]) + 1)
        << outcome.out;
    EXPECT_EQ(outcome.out.find('\x1B'), std::string::npos);
    EXPECT_EQ(outcome.out.find('\r'), std::string::npos);
    for (const char* control : {"\u202E", "\u2066"})
        EXPECT_EQ(outcome.out.find(control), std::string::npos) << control;
    EXPECT_TRUE(isValidUtf8(outcome.out));
    // Marked as the window marks them, the name still padded to 35 characters.
    const auto row = [](const std::string& name, const std::string& identifier) {
        return std::regex("\n  " + name + " +[^ \n]+ [^ \n]+ +" + identifier + "\n");
    };
    EXPECT_TRUE(std::regex_search(outcome.out, std::regex("\n  Two\u23CELines\u23CE {26}[^ ]")))
        << outcome.out;
    EXPECT_TRUE(
        std::regex_search(outcome.out, row("Two\u23CELines\u23CE", "com\\.example\\.break\u23CE  Fake row")));
    EXPECT_TRUE(std::regex_search(outcome.out,
                                  row("\uFFFD\\[2JClear", "com\\.example\\.escape\uFFFD\\]0;title\uFFFD")));
    EXPECT_TRUE(std::regex_search(outcome.out, row("abc\uFFFDdef\uFFFD", "com\\.example\\.\uFFFDreversed")));
    EXPECT_TRUE(std::regex_search(outcome.out, row("Invalid(\uFFFD)+", "com\\.example\\.(\uFFFD)+")));
}

TEST(CLI, OutputFormats) {
    std::vector<CLI::ScanRow> rows{{"Trash", 123456, 2'500'000'000}, {"Größe€", 0, 0}};
    EXPECT_EQ(CLI::jsonText({}), "[\n\n]\n");
    EXPECT_EQ(CLI::jsonText(rows),
              "[\n    {\"category\": \"Trash\", \"items\": 123456, \"bytes\": 2500000000},\n"
              "    {\"category\": \"Größe€\", \"items\": 0, \"bytes\": 0}\n]\n");
    // Counts are cut to five characters; padding counts characters, not bytes.
    EXPECT_EQ(CLI::tableText(rows), "Category                Items     Size\n"
                                    "----------------------  -----     --------\n"
                                    "Trash                   12345     2.5 GB\n"
                                    "Größe€                  0         Zero KB\n"
                                    "----------------------  -----     --------\n"
                                    "Total                   12345     2.5 GB\n");
    EXPECT_EQ(CLI::extractValue("--category", {"--json", "--category"}), std::nullopt);
    EXPECT_EQ(CLI::extractValue("--category", {"--category", "a", "--category", "b"}), "a");
    EXPECT_EQ(CLI::extractValue("--category", {}), std::nullopt);
}

} // namespace
} // namespace zn
