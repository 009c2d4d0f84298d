#include "Logic/Utilities/Logger.h"
#include "Platform/core/PathText.h"
#include "Platform/core/Process.h"
#include "Platform/core/Utf8.h"
#include "Platform/core/Whitespace.h"
#include "Services/ScanEngine.h"

namespace zn {

namespace {

constexpr const char* kBrewSource = "scanBrewCache()";
constexpr const char* kBrewItemName = "Coding tool downloads";

bool isInsideAny(const std::string& path, const std::vector<std::string>& roots) {
    for (const std::string& root : roots) {
        if (PathText::isSameOrInside(path, root))
            return true;
    }
    return false;
}

} // namespace

CategoryResult ScanEngine::scanBrewCacheLocked() {
    const std::string defaultCache = home_ + "/Library/Caches/Homebrew";
    auto askBrew = [&]() -> std::optional<std::string> {
        std::optional<std::string> answer = reportedBrewCache();
        if (!answer) {
            Logger::shared().log("Homebrew not found at standard paths; scanning default cache location only",
                                 LogLevel::info, kBrewSource);
            return std::nullopt;
        }
        if (PathText::standardizingPath(*answer, home_) == PathText::standardizingPath(defaultCache, home_))
            return std::nullopt;
        return answer;
    };
    return resultOf(CleaningCategory::brewCache,
                    withoutNestedItems(defaultAndReportedCacheItems(defaultCache, kBrewItemName,
                                                                    CleaningCategory::brewCache, askBrew)));
}

std::optional<std::string> ScanEngine::reportedBrewCache() {
    const std::string* brew = nullptr;
    for (const std::string& place : options_.brewPlaces) {
        if (fileSystem().fileExists(place).exists) {
            brew = &place;
            break;
        }
    }
    if (!brew)
        return std::nullopt;

    // The user's Homebrew settings could point the answer anywhere; only the stock cache places count.
    ProcessRequest request{*brew, {"--cache"}};
    request.removedVariablePrefixes = {"HOMEBREW_"};
    request.timeLimit = options_.toolTimeLimit;
    ProcessResult run = runProcess(request);
    if (!run.started || run.timedOut) {
        const std::string reason =
            run.started ? toolTimeLimitDescription() : fileErrorDescription(run.startErrno);
        Logger::shared().log("Failed to run " + *brew + " --cache: " + reason, LogLevel::warning,
                             kBrewSource);
        return std::nullopt;
    }
    if (!isValidUtf8(run.standardOutput))
        return std::nullopt;
    const std::string answer(trimmingWhitespaceAndNewlines(run.standardOutput));
    if (answer.empty())
        return std::nullopt;

    std::vector<std::string> acceptedRoots{home_ + "/Library/Caches/Homebrew"};
    acceptedRoots.insert(acceptedRoots.end(), options_.brewSystemCacheRoots.begin(),
                         options_.brewSystemCacheRoots.end());
    const std::string standardized = PathText::standardizingPath(answer, home_);
    if (!isInsideAny(standardized, acceptedRoots) || isTooBroadForACache(standardized)) {
        Logger::shared().log("Refusing suspicious brew cache path: " + answer, LogLevel::warning,
                             kBrewSource);
        return std::nullopt;
    }
    return answer;
}

} // namespace zn
