#include "Logic/Utilities/Logger.h"
#include "Platform/core/PathText.h"
#include "Platform/core/Whitespace.h"
#include "Services/ScanEngine.h"

#include <optional>

namespace zn {

namespace {

constexpr const char* kNodeSource = "scanNodeCache()";
constexpr std::string_view kNvmVersionsFolder = "/.nvm/versions/node";

// The tool and the arguments that make it print its cache folder.
struct DetectionCommand {
    std::string cli;
    std::vector<std::string> args;
};

// One package manager's cache: the default folder is always looked at, the tool's answer when it has one.
struct ManagerCache {
    std::string name;
    std::string defaultPath;
    std::optional<DetectionCommand> detectionCommand;
};

std::vector<ManagerCache> managerCaches(const std::string& home) {
    return {
        {"npm downloads", home + "/.npm", DetectionCommand{"npm", {"config", "get", "cache"}}},
        {"Yarn downloads", home + "/Library/Caches/Yarn", DetectionCommand{"yarn", {"cache", "dir"}}},
        {"pnpm downloaded packages", home + "/Library/pnpm/store",
         DetectionCommand{"pnpm", {"store", "path"}}},
    };
}

} // namespace

std::optional<std::string>
ScanEngine::locateExecutableLocked(const std::string& name,
                                   const std::vector<std::string>& searchPaths) const {
    const FileSystem& files = fileSystem();
    for (const std::string& directory : searchPaths) {
        std::string candidate = PathText::appendingPathComponent(directory, name);
        if (files.isExecutableFile(candidate))
            return candidate;
        if (!directory.ends_with(kNvmVersionsFolder))
            continue;
        // nvm keeps each Node version, with the package managers installed for it, in its own folder.
        DirectoryListing versions = files.contentsOfDirectory(directory);
        for (const std::string& version : versions.names) {
            std::string inVersion = PathText::appendingPathComponent(directory, version + "/bin/" + name);
            if (files.isExecutableFile(inVersion))
                return inVersion;
        }
    }
    return std::nullopt;
}

CategoryResult ScanEngine::scanNodeCacheLocked() {
    std::vector<std::string> searchPaths = options_.nodeToolSystemSearchPaths;
    for (const char* suffix : {"/.local/bin", "/.volta/bin", "/.nvm/versions/node"})
        searchPaths.push_back(home_ + suffix);

    // The three managers are handled side by side, each tool asked while its default folder is measured;
    // the items keep the managers' order.
    const std::vector<ManagerCache> managers = managerCaches(home_);
    auto perManager =
        workers().inIndexOrder<std::vector<CleanableItem>>(managers.size(), [&](std::size_t index) {
            const ManagerCache& manager = managers[index];
            auto askTool = [&]() -> std::optional<std::string> {
                if (!manager.detectionCommand)
                    return std::nullopt;
                const DetectionCommand& command = *manager.detectionCommand;
                return reportedNodeToolCache(command.cli, command.args, manager.defaultPath, searchPaths);
            };
            return defaultAndReportedCacheItems(manager.defaultPath, manager.name,
                                                CleaningCategory::nodeCache, askTool);
        });
    return resultOf(CleaningCategory::nodeCache, withoutNestedItems(joinedItems(std::move(perManager))));
}

std::optional<std::string> ScanEngine::reportedNodeToolCache(const std::string& tool,
                                                             const std::vector<std::string>& args,
                                                             const std::string& defaultPath,
                                                             const std::vector<std::string>& searchPaths) {
    std::optional<std::string> executable = locateExecutableLocked(tool, searchPaths);
    if (!executable)
        return std::nullopt;
    std::optional<std::string> output = runCommandReadingStdoutLocked(*executable, args);
    if (!output)
        return std::nullopt;
    const std::string answer(trimmingWhitespaceAndNewlines(*output));
    if (answer.empty())
        return std::nullopt;

    const std::string standardized = PathText::standardizingPath(answer, home_);
    if (standardized == PathText::standardizingPath(defaultPath, home_))
        return std::nullopt;
    // A user setting may point the cache at any folder, and the folder would be cleaned as a whole.
    if (isTooBroadForACache(standardized)) {
        Logger::shared().log("Refusing suspicious " + tool + " cache path: " + answer, LogLevel::warning,
                             kNodeSource);
        return std::nullopt;
    }
    return answer;
}

} // namespace zn
