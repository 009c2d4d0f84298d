#include "Logic/Utilities/Logger.h"
#include "Platform/core/LocalTimestamp.h"
#include "Platform/core/Process.h"
#include "Platform/core/PropertyList.h"
#include "Platform/core/Utf8.h"
#include "Services/ScanEngine.h"

#include <string_view>

namespace zn {

namespace {

constexpr const char* kListSource = "getLocalSnapshots()";
constexpr const char* kSizeSource = "getSnapshotSize(name:)";

// The tool's whole standard output, whatever its exit status. A tool that cannot start, or that is still
// running at the time limit (a hung tool would hold the engine for good), is logged as `failure` and
// gives none.
std::optional<std::string> snapshotToolOutput(const std::string& tool, std::vector<std::string> args,
                                              std::chrono::milliseconds timeLimit, const std::string& failure,
                                              LogLevel level, const char* source) {
    ProcessRequest request{tool, std::move(args)};
    request.timeLimit = timeLimit;
    ProcessResult run = runProcess(request);
    if (!run.started) {
        Logger::shared().log(failure + fileErrorDescription(run.startErrno), level, source);
        return std::nullopt;
    }
    if (run.timedOut) {
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(timeLimit).count();
        Logger::shared().log(failure + "still running after " + std::to_string(seconds) + " s; stopped",
                             level, source);
        return std::nullopt;
    }
    return std::move(run.standardOutput);
}

std::string_view trimmedOfSpacesAndTabs(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The time of the first dot-separated piece of the name that reads as a timestamp.
std::optional<Date> snapshotDate(std::string_view name) {
    std::size_t start = 0;
    while (true) {
        const std::size_t dot = name.find('.', start);
        if (auto date = dateFromLocalTimestamp(name.substr(start, dot - start)))
            return date;
        if (dot == std::string_view::npos)
            return std::nullopt;
        start = dot + 1;
    }
}

// The "Snapshots" list of the APFS listing, when the listing is a dictionary holding a list of
// dictionaries under that key.
const PlistValue::Array* snapshotEntries(const PlistValue& listing) {
    const PlistValue* snapshots = listing.find("Snapshots");
    if (!snapshots || !snapshots->array())
        return nullptr;
    for (const PlistValue& entry : *snapshots->array()) {
        if (!entry.dictionary())
            return nullptr;
    }
    return snapshots->array();
}

} // namespace

std::vector<ScanEngine::SnapshotInfo> ScanEngine::getLocalSnapshots() {
    std::optional<std::string> output =
        snapshotToolOutput(options_.tmutil, {"listlocalsnapshots", "/"}, options_.toolTimeLimit,
                           "tmutil listlocalsnapshots failed: ", LogLevel::info, kListSource);
    if (!output || !isValidUtf8(*output))
        return {};

    std::vector<SnapshotInfo> snapshots;
    std::string_view rest = *output;
    while (!rest.empty()) {
        const std::size_t newline = rest.find('\n');
        const std::string_view line = trimmedOfSpacesAndTabs(rest.substr(0, newline));
        rest = newline == std::string_view::npos ? std::string_view{} : rest.substr(newline + 1);
        if (line.empty() || line.find("TimeMachine") == std::string_view::npos)
            continue;
        std::string name(line);
        const std::int64_t size = getSnapshotSize(name);
        if (size <= 0)
            continue;
        snapshots.push_back({std::move(name), size, snapshotDate(line)});
    }
    return snapshots;
}

std::int64_t ScanEngine::getSnapshotSize(const std::string& name) {
    std::optional<std::string> output = snapshotToolOutput(
        options_.diskutil, {"apfs", "listSnapshots", "/", "-plist"}, options_.toolTimeLimit,
        "diskutil apfs listSnapshots failed: ", LogLevel::warning, kSizeSource);
    if (!output)
        return 0;
    const std::optional<PlistValue> listing = parsePropertyList(*output);
    const PlistValue::Array* snapshots = listing ? snapshotEntries(*listing) : nullptr;
    if (!snapshots) {
        Logger::shared().log("Could not parse APFS snapshot plist for " + name, LogLevel::info, kSizeSource);
        return 0;
    }
    for (const PlistValue& entry : *snapshots) {
        if (entry.stringForKey("SnapshotName") != name)
            continue;
        // A size that is missing, not an integer or beyond 64 bits passes this entry over.
        const PlistValue* size = entry.find("DataSize");
        if (size && size->integer())
            return *size->integer();
    }
    Logger::shared().log("Snapshot " + name + " not found in APFS listing", LogLevel::info, kSizeSource);
    return 0;
}

} // namespace zn
