#include "Logic/Utilities/Logger.h"
#include "Platform/core/PathText.h"
#include "Platform/core/Process.h"
#include "Platform/core/Utf8.h"
#include "Services/ScanEngine.h"

#include <array>
#include <utility>

namespace zn {

namespace {

constexpr const char* kReclaimableSource = "reclaimableDockerSpace(dockerBin:)";
constexpr const char* kReclaimableItemName = "More Docker space you can free";

// Caches, logs and temporary files of the desktop application and the command-line tool, in order.
constexpr std::array<const char*, 6> kDockerFolders{
    "/Library/Containers/com.docker.docker/Data/cache",
    "/Library/Containers/com.docker.docker/Data/log",
    "/Library/Containers/com.docker.docker/Data/tmp",
    "/Library/Group Containers/group.com.docker/Caches",
    "/.docker/cli-plugins/.cache",
    "/.docker/buildx/cache",
};

// Tested over the whole path, home folder included, in this order; the first match names the folder.
constexpr std::array<std::pair<const char*, const char*>, 6> kDockerFolderNames{{
    {"/Data/cache", "Docker build files"},
    {"/Data/log", "Docker activity files"},
    {"/Data/tmp", "Docker temporary files"},
    {"Group Containers", "Docker helper files"},
    {"cli-plugins", "Docker plugin downloads"},
    {"buildx", "Docker builder files"},
}};

// The pieces of `text` between `separator`s, empty ones left out.
std::vector<std::string_view> nonEmptyPieces(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > start)
            pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

} // namespace

std::string ScanEngine::dockerFileName(const std::string& path) {
    for (const auto& [marker, name] : kDockerFolderNames) {
        if (path.find(marker) != std::string::npos)
            return name;
    }
    return PathText::lastPathComponent(path);
}

CategoryResult ScanEngine::scanDockerCacheLocked() {
    std::vector<std::pair<std::string, std::string>> folders;
    for (const char* suffix : kDockerFolders) {
        std::string path = home_ + suffix;
        folders.emplace_back(path, dockerFileName(path));
    }

    // The container tool is asked while the folders are measured.
    std::vector<CleanableItem> items;
    std::optional<CleanableItem> reclaimableItem;
    workers().forEachIndex(2, [&](std::size_t index) {
        if (index == 0)
            items = wholeFolderItems(folders, CleaningCategory::dockerCache);
        else
            reclaimableItem = reclaimableDockerItem();
    });
    if (reclaimableItem)
        items.push_back(std::move(*reclaimableItem));
    return resultOf(CleaningCategory::dockerCache, std::move(items));
}

std::optional<CleanableItem> ScanEngine::reclaimableDockerItem() {
    for (const std::string& docker : options_.dockerPlaces) {
        if (!fileSystem().fileExists(docker).exists)
            continue;
        // Space only the container tool itself can free: shown for review, never selected. Its path names
        // the tool that was asked, not something to remove.
        std::optional<std::int64_t> reclaimable = reclaimableDockerSpace(docker);
        if (!reclaimable || *reclaimable < 1)
            return std::nullopt;
        return CleanableItem{Uuid::random(), kReclaimableItemName,          docker,
                             *reclaimable,   CleaningCategory::dockerCache, false,
                             std::nullopt};
    }
    return std::nullopt;
}

std::optional<std::int64_t> ScanEngine::reclaimableDockerSpace(const std::string& dockerBin) {
    ProcessRequest request{dockerBin, {"system", "df", "--format", "{{.Reclaimable}}"}};
    request.timeLimit = options_.toolTimeLimit;
    ProcessResult run = runProcess(request);
    if (!run.started || run.timedOut) {
        const std::string reason =
            run.started ? toolTimeLimitDescription() : fileErrorDescription(run.startErrno);
        Logger::shared().log("docker system df failed: " + reason, LogLevel::warning, kReclaimableSource);
        return std::nullopt;
    }
    if (!run.succeeded() || !isValidUtf8(run.standardOutput))
        return std::nullopt;

    std::int64_t total = 0;
    for (std::string_view line : nonEmptyPieces(run.standardOutput, '\n')) {
        std::vector<std::string_view> words = nonEmptyPieces(line, ' ');
        std::optional<std::int64_t> bytes =
            parseHumanBytes(words.empty() ? std::string_view{} : words.front());
        std::int64_t sum = 0;
        // A size that would overflow the total is as unreadable as a size that is not one.
        if (bytes && !__builtin_add_overflow(total, *bytes, &sum))
            total = sum;
    }
    return total;
}

} // namespace zn
