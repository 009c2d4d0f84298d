#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zn {

// The command-line mode: scans, disk usage, the installed applications, version and usage text.
struct CLI {
    struct ScanRow {
        std::string category; // raw value
        std::int64_t items = 0;
        std::int64_t bytes = 0;
    };
    struct Streams {
        std::ostream& out;
        std::ostream& err;
    };

    // "scan", "disk-info", "list", "help", "--help", "-h", "version", "--version", "-v".
    static const std::set<std::string, std::less<>>& knownCommands();
    // True when the process arguments (program path first) ask for the command line.
    static bool isCommandLineInvocation(const std::vector<std::string>& processArguments);

    // Runs one command (arguments without the program path) and returns the exit status, 0 or 1.
    static int run(const std::vector<std::string>& arguments, Streams io);

    static int handleScan(const std::vector<std::string>& args, Streams io);
    static void handleDiskInfo(Streams io);
    static void handleList(Streams io);
    static void printUsage(Streams io);
    static void printVersion(Streams io);
    static std::string jsonText(const std::vector<ScanRow>& rows);
    static std::string tableText(const std::vector<ScanRow>& rows);

    // The argument after the first occurrence of `option`; none when absent or last.
    static std::optional<std::string> extractValue(std::string_view option, const std::vector<std::string>& args);
};

} // namespace zn
