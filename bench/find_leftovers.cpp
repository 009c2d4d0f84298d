// Times one application's leftover search over a synthetic Library of about 100,000 entries, on 8 workers
// and on one, alone and beside 1,000 other installed applications. The tree is built beside this program in
// the build folder and removed afterwards.
#include "Logic/Scanning/AppPathFinder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace zn;

namespace {

long entries = 0;

void makeFolder(const std::string& path) {
    std::error_code error;
    fs::create_directories(path, error);
    ++entries;
}

void makeFile(const std::string& path, const std::string& contents = "") {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        if (!contents.empty() && ::write(fd, contents.data(), contents.size()) < 0)
            std::perror(path.c_str());
        ::close(fd);
    }
    ++entries;
}

std::string uuidLike(int n) {
    char text[37];
    std::snprintf(text, sizeof text, "%08X-0000-4000-8000-%012X", n * 2654435761u, n);
    return text;
}

std::string metadata(const std::string& identifier) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
           "<key>MCMMetadataIdentifier</key><string>" +
           identifier + "</string></dict></plist>\n";
}

// Vendors with nested folders and files, the shape of "Application Support".
void vendors(const std::string& base, int count, int subfolders, int files) {
    for (int v = 0; v < count; ++v) {
        const std::string vendor = base + "/Vendor " + std::to_string(v);
        makeFolder(vendor);
        for (int s = 0; s < subfolders; ++s) {
            const std::string sub = vendor + "/com.vendor" + std::to_string(v) + ".part" + std::to_string(s);
            makeFolder(sub);
            for (int f = 0; f < files; ++f)
                makeFile(sub + "/data-" + std::to_string(f) + ".bin");
        }
    }
}

void buildTree(const std::string& home, const std::string& sys) {
    const std::string library = home + "/Library";
    vendors(library + "/Application Support", 500, 10, 8);
    for (int c = 0; c < 1000; ++c) {
        const std::string cache = library + "/Caches/com.vendor" + std::to_string(c) + ".app";
        makeFolder(cache);
        for (int f = 0; f < 15; ++f)
            makeFile(cache + "/cache-" + std::to_string(f));
    }
    makeFolder(library + "/Preferences");
    for (int p = 0; p < 5000; ++p)
        makeFile(library + "/Preferences/com.vendor" + std::to_string(p) + ".app.plist");
    for (int c = 0; c < 1000; ++c) {
        const std::string container = library + "/Containers/" + uuidLike(c);
        makeFolder(container + "/Data/Library");
        makeFile(container + "/.com.apple.containermanagerd.metadata.plist",
                 metadata("com.vendor" + std::to_string(c) + ".app"));
        for (int f = 0; f < 5; ++f)
            makeFile(container + "/Data/file-" + std::to_string(f));
    }
    for (int l = 0; l < 500; ++l) {
        const std::string logs = library + "/Logs/Vendor" + std::to_string(l);
        makeFolder(logs);
        for (int f = 0; f < 5; ++f)
            makeFile(logs + "/run-" + std::to_string(f) + ".log");
    }
    for (int s = 0; s < 1000; ++s) {
        const std::string state =
            library + "/Saved Application State/com.vendor" + std::to_string(s) + ".app.savedState";
        makeFolder(state);
        makeFile(state + "/windows.plist");
    }
    vendors(sys + "/Library/Application Support", 300, 10, 5);
    for (const char* folder : {"LaunchAgents", "LaunchDaemons", "Preferences"}) {
        makeFolder(sys + "/Library/" + folder);
        for (int i = 0; i < 600; ++i)
            makeFile(sys + "/Library/" + folder + "/com.vendor" + std::to_string(i) + ".helper.plist");
    }

    // What the searched application left behind.
    makeFolder(sys + "/Applications/Foo Bar.app/Contents");
    makeFile(library + "/Preferences/com.foo.bar.plist");
    makeFolder(library + "/Caches/com.foo.bar");
    makeFolder(library + "/Application Support/Foo Bar");
    makeFolder(library + "/Saved Application State/com.foo.bar.savedState");
    makeFolder(library + "/Containers/" + uuidLike(99999));
    makeFile(library + "/Containers/" + uuidLike(99999) + "/.com.apple.containermanagerd.metadata.plist",
             metadata("com.foo.bar"));
    makeFile(sys + "/Library/LaunchAgents/com.foo.bar.helper.plist");
}

// Installed beside the searched one, named like the vendors of the tree.
std::vector<AppPathFinder::AppInfo> otherInstalledApps(const std::string& sys) {
    std::vector<AppPathFinder::AppInfo> apps;
    for (int v = 0; v < 1000; ++v)
        apps.push_back({"Vendor " + std::to_string(v), "com.vendor" + std::to_string(v) + ".app",
                        sys + "/Applications/Vendor " + std::to_string(v) + ".app", std::nullopt,
                        std::nullopt});
    return apps;
}

double searchSeconds(const std::string& home, const std::string& sys, unsigned workers,
                     const std::vector<AppPathFinder::AppInfo>& installed, std::size_t& found) {
    const auto start = std::chrono::steady_clock::now();
    const AppPathFinder::AppInfo app{"Foo Bar", "com.foo.bar", sys + "/Applications/Foo Bar.app",
                                     std::nullopt, std::nullopt};
    const Locations locations({home, sys, home + "/Library/Caches", ""});
    const AppPathFinder finder(app, locations, AppPathFinder::Sensitivity::enhanced,
                               {makeAppConditions(home), makeSkipConditions(home, sys)}, {installed},
                               workers);
    found = finder.findPaths().size();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main() {
    std::error_code error;
    const std::string root =
        fs::read_symlink("/proc/self/exe", error).parent_path().string() + "/find-leftovers-fixture";
    fs::remove_all(root, error);
    const std::string home = root + "/home";
    const std::string sys = root + "/sys";
    buildTree(home, sys);
    std::printf("synthetic tree: %ld entries, %zu search roots\n", entries,
                Locations({home, sys, home + "/Library/Caches", ""}).appSearch.paths.size());

    std::size_t found = 0;
    searchSeconds(home, sys, 8, {}, found); // warm the file system caches
    struct Setting {
        const char* label;
        std::vector<AppPathFinder::AppInfo> installed;
    };
    for (const Setting& setting :
         {Setting{"", {}}, Setting{", 1000 other apps installed", otherInstalledApps(sys)}}) {
        for (unsigned workers : {8u, 1u}) {
            std::vector<double> runs;
            for (int run = 0; run < 5; ++run)
                runs.push_back(searchSeconds(home, sys, workers, setting.installed, found));
            std::printf("%u worker%s%s: median %.3f s, best %.3f s over %zu runs, %zu paths found\n", workers,
                        workers == 1 ? "" : "s", setting.label, median(runs),
                        *std::min_element(runs.begin(), runs.end()), runs.size(), found);
        }
    }
    fs::remove_all(root, error);
    return 0;
}
