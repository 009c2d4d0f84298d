// Times the system junk, user cache, mail and Trash scanners over a synthetic home folder and compares
// them with `du -sk` over the same folders, both with a warm cache.
//
//   bench_scan_home [--files N] [--folders N] [--runs N] [--scratch DIR]
//
// The home is built under the build directory (next to this program) unless --scratch names another
// place, and it is removed before the program ends.

#include "Services/ScanEngine.h"
#include "support/SyntheticHome.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace zn::bench;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Settings {
    long files = 200'000;
    long folders = 20'000;
    int runs = 5;
    std::string scratch;
};

double secondsOf(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

Clock::duration timeDu(const std::string& home) {
    std::vector<std::string> arguments{"du", "-sk"};
    for (const Area& area : kListedAreas)
        arguments.push_back(home + "/" + area.path);
    for (const char* cache : kPackageToolCaches)
        arguments.push_back(home + "/" + cache);
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t pid = 0;
    if (::posix_spawn(&pid, "/usr/bin/du", &actions, nullptr, argv.data(), environ) != 0)
        fail("cannot start /usr/bin/du");
    int status = 0;
    ::waitpid(pid, &status, 0);
    const auto elapsed = Clock::now() - start;
    posix_spawn_file_actions_destroy(&actions);
    return elapsed;
}

struct ScanTimes {
    Clock::duration systemJunk{}, userCache{}, mail{}, trash{};
    std::int64_t bytes = 0;
    std::size_t items = 0;

    Clock::duration total() const { return systemJunk + userCache + mail + trash; }
};

ScanTimes timeScanners(zn::ScanEngine& engine) {
    ScanTimes times;
    auto timed = [&](Clock::duration& into, auto scan) {
        const auto start = Clock::now();
        zn::CategoryResult result = scan();
        into = Clock::now() - start;
        times.bytes = zn::saturatingAdd(times.bytes, result.totalSize);
        times.items += result.items.size();
    };
    timed(times.systemJunk, [&] { return engine.scanSystemJunk(); });
    timed(times.userCache, [&] { return engine.scanUserCache(); });
    timed(times.mail, [&] { return engine.scanMailAttachments(); });
    timed(times.trash, [&] { return engine.scanTrash(); });
    return times;
}

Settings parse(int argc, char** argv) {
    Settings settings;
    settings.scratch = fs::path(fs::read_symlink("/proc/self/exe")).parent_path().string() + "/bench-scratch";
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string flag = argv[i];
        std::string value = argv[i + 1];
        if (flag == "--files")
            settings.files = std::stol(value);
        else if (flag == "--folders")
            settings.folders = std::stol(value);
        else if (flag == "--runs")
            settings.runs = std::max(1, std::stoi(value));
        else if (flag == "--scratch")
            settings.scratch = value;
        else {
            std::fprintf(stderr,
                         "usage: bench_scan_home [--files N] [--folders N] [--runs N] [--scratch DIR]\n");
            std::exit(2);
        }
    }
    return settings;
}

int run(const Settings& settings) {
    const std::string root = settings.scratch + "/home-" + std::to_string(::getpid());
    SyntheticHome home(root, std::max(1L, settings.files / std::max(1L, settings.folders)));

    const auto buildStart = Clock::now();
    build(home, settings.files, settings.folders);
    std::printf("synthetic home: %ld files in %ld folders under %s (built in %.1f s)\n", home.files(),
                home.folders(), root.c_str(), secondsOf(Clock::now() - buildStart));

    // The system folders point inside the synthetic tree, where they do not exist, so only the home counts.
    zn::ScanEngineOptions options;
    for (std::string* path : {&options.systemCaches, &options.systemLogs, &options.systemLogFiles,
                              &options.temporaryFiles, &options.systemTemporaryFiles})
        *path = root + "/system" + *path;
    zn::ScanEngine engine(root, options);

    timeDu(root); // warm the cache
    ScanTimes last = timeScanners(engine);
    std::vector<double> du, scan, systemJunk, userCache, mail, trash;
    for (int run = 0; run < settings.runs; ++run) {
        du.push_back(secondsOf(timeDu(root)));
        last = timeScanners(engine);
        scan.push_back(secondsOf(last.total()));
        systemJunk.push_back(secondsOf(last.systemJunk));
        userCache.push_back(secondsOf(last.userCache));
        mail.push_back(secondsOf(last.mail));
        trash.push_back(secondsOf(last.trash));
    }

    struct rusage usage;
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("scanners found %zu items, %lld bytes\n", last.items, static_cast<long long>(last.bytes));
    std::printf("median of %d warm runs:\n", settings.runs);
    std::printf("  system junk      %8.1f ms\n", median(systemJunk) * 1000);
    std::printf("  user cache       %8.1f ms\n", median(userCache) * 1000);
    std::printf("  mail downloads   %8.1f ms\n", median(mail) * 1000);
    std::printf("  trash            %8.1f ms\n", median(trash) * 1000);
    std::printf("  four scanners    %8.1f ms\n", median(scan) * 1000);
    std::printf("  du -sk           %8.1f ms\n", median(du) * 1000);
    std::printf("ratio scan / du: %.2f (target at most 1.30)\n", median(scan) / median(du));
    std::printf("peak memory: %.1f MB (target under 100 MB)\n", usage.ru_maxrss / 1024.0);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(parse(argc, argv));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_scan_home: %s\n", error.what());
        return 1;
    }
}
