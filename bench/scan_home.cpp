// Times a full scan of a synthetic home folder by the real program (`zelvanexal scan --json`, every
// category) against `du -sk` of the folders the scan measures and, when they are installed, `gdu -n` and
// `ncdu -0 -o /dev/null` of the whole home, all warm and on the same tree; then `zelvanexal version`
// against `/bin/true`. Prints each median, the ratios and the scan's peak memory.
//
//   bench_scan_home [--files N] [--folders N] [--runs N] [--scratch DIR] [--program PATH]
//
// The home is built under the build directory (next to this program) unless --scratch names another
// place, and it is removed before the program ends. The scan runs with the synthetic home as HOME; the
// folders it reads outside a home (/tmp and the system's own) are the machine's.

#include "support/SyntheticHome.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
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
    std::string program = ZN_PROGRAM;
};

struct Run {
    double seconds = 0;
    long peakKilobytes = 0;    // of the process and of the tools it ran (the kernel's figure)
    long ownPeakKilobytes = 0; // of the process alone, sampled while it runs
};

// The process's own high-water mark of resident memory so far; 0 once it has ended.
long residentHighWaterMark(pid_t pid) {
    std::FILE* status = std::fopen(("/proc/" + std::to_string(pid) + "/status").c_str(), "r");
    if (!status)
        return 0;
    long kilobytes = 0;
    char line[256];
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmHWM: %ld kB", &kilobytes) == 1)
            break;
    std::fclose(status);
    return kilobytes;
}

// Starts the command with its output sent to /dev/null and waits for it; `variables` are added to the
// environment. The time includes starting the process, as a user would see it.
Run timed(std::vector<std::string> arguments, const std::vector<std::string>& variables = {}) {
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<std::string> environment(variables);
    for (char** entry = environ; *entry; ++entry)
        environment.emplace_back(*entry);
    std::vector<char*> envp;
    for (auto& variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t pid = 0;
    const int error = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        errno = error;
        fail("cannot start " + arguments.front());
    }
    // The kernel's peak covers the tools the scan starts too (a container tool alone can take 25 MB), so
    // the process's own peak is sampled beside it until the process ends.
    std::atomic<bool> ended{false};
    long ownPeak = 0;
    std::thread sampler([&] {
        while (!ended) {
            ownPeak = std::max(ownPeak, residentHighWaterMark(pid));
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    });
    int status = 0;
    struct rusage usage;
    const pid_t waited = ::wait4(pid, &status, 0, &usage);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    ended = true;
    sampler.join();
    if (waited != pid)
        fail("cannot wait for " + arguments.front());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        errno = 0;
        fail(arguments.front() + " failed");
    }
    return {seconds, usage.ru_maxrss, ownPeak};
}

std::optional<std::string> installed(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    for (std::size_t start = 0; start <= folders.size();) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        const std::string candidate = folders.substr(start, end - start) + "/" + name;
        if (end > start && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return std::nullopt;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// One command compared with the others: its arguments, its medians and its largest peak memory.
struct Contender {
    Contender(std::string label, std::vector<std::string> arguments, std::vector<std::string> variables = {})
        : label(std::move(label)), arguments(std::move(arguments)), variables(std::move(variables)) {}

    std::string label;
    std::vector<std::string> arguments;
    std::vector<std::string> variables;
    std::vector<double> seconds;
    long peakKilobytes = 0;
    long ownPeakKilobytes = 0;

    void runOnce() {
        Run run = timed(arguments, variables);
        seconds.push_back(run.seconds);
        peakKilobytes = std::max(peakKilobytes, run.peakKilobytes);
        ownPeakKilobytes = std::max(ownPeakKilobytes, run.ownPeakKilobytes);
    }
};

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
        else if (flag == "--program")
            settings.program = value;
        else {
            std::fprintf(stderr,
                         "usage: bench_scan_home [--files N] [--folders N] [--runs N] [--scratch DIR] "
                         "[--program PATH]\n");
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
                home.folders(), root.c_str(),
                std::chrono::duration<double>(Clock::now() - buildStart).count());

    std::vector<Contender> contenders;
    contenders.emplace_back("zelvanexal scan --json",
                            std::vector<std::string>{settings.program, "scan", "--json"},
                            std::vector<std::string>{"HOME=" + root});
    std::vector<std::string> du{"/usr/bin/du", "-sk"};
    for (const Area& area : kAreas)
        du.push_back(root + "/" + area.path);
    for (const char* cache : kPackageToolCaches)
        du.push_back(root + "/" + cache);
    contenders.emplace_back("du -sk (same folders)", du);
    if (auto gdu = installed("gdu"))
        contenders.emplace_back("gdu -n (home)", std::vector<std::string>{*gdu, "-n", root});
    else
        std::printf("gdu not installed: skipped\n");
    if (auto ncdu = installed("ncdu"))
        contenders.emplace_back("ncdu -0 -o /dev/null (home)",
                                std::vector<std::string>{*ncdu, "-0", "-o", "/dev/null", root});
    else
        std::printf("ncdu not installed: skipped\n");

    // Warm the cache, then take turns so that a change in the machine's load touches every contender.
    for (Contender& contender : contenders)
        timed(contender.arguments, contender.variables);
    for (int round = 0; round < settings.runs; ++round)
        for (Contender& contender : contenders)
            contender.runOnce();

    const double scan = median(contenders.front().seconds);
    std::printf("median of %d warm runs:\n", settings.runs);
    for (const Contender& contender : contenders)
        std::printf(
            "  %-28s %8.1f ms   scan / this %.2f   peak memory %6.1f MB (%.1f MB with the tools it ran)\n",
            contender.label.c_str(), median(contender.seconds) * 1000, scan / median(contender.seconds),
            contender.ownPeakKilobytes / 1024.0, contender.peakKilobytes / 1024.0);

    Contender version("zelvanexal version", {settings.program, "version"});
    Contender nothing("/bin/true", {"/bin/true"});
    for (int round = 0; round < 10 * settings.runs; ++round) {
        version.runOnce();
        nothing.runOnce();
    }
    std::printf("start-up, median of %d runs:\n", 10 * settings.runs);
    std::printf("  zelvanexal version %8.2f ms   /bin/true %8.2f ms\n", median(version.seconds) * 1000,
                median(nothing.seconds) * 1000);
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
