#include "Services/CleaningEngine.h"

#include "Logic/Utilities/Logger.h"
#include "Platform/core/Process.h"

#include <cstring>

namespace zn {

namespace {

// The tool is waited for as long as it runs.
constexpr auto kUnboundedWait = std::chrono::hours(24 * 365);

} // namespace

std::int64_t CleaningEngine::purgePurgeableSpace() {
    std::lock_guard lock(operationMutex_);
    return purge();
}

// The gain is measured, not taken from the tool: free space after minus free space before. Without both
// readings there is no gain to report.
std::int64_t CleaningEngine::purge() {
    const auto before = getCurrentFreeSpace();

    ProcessRequest request{diskutilPath_, {"apfs", "purgePurgeable", "/"}};
    request.captureStandardOutput = false;
    request.timeLimit = kUnboundedWait;
    const ProcessResult run = runProcess(request);
    if (!run.started) {
        Logger::shared().log(std::string("diskutil purge failed: ") + std::strerror(run.startErrno),
                             LogLevel::error, "purgePurgeableSpace()");
        return 0;
    }

    const auto after = getCurrentFreeSpace();
    if (!before || !after || *after <= *before)
        return 0;
    return *after - *before;
}

std::optional<std::int64_t> CleaningEngine::getCurrentFreeSpace() const {
    const VolumeInfo::FileSystemSize size = volumeInfo_->fileSystemSize("/");
    if (!size.readable) {
        Logger::shared().log("Cannot read filesystem attributes: " + size.errorDescription, LogLevel::warning,
                             "getCurrentFreeSpace()");
        return std::nullopt;
    }
    if (!size.freeBytes || *size.freeBytes < 0)
        return std::nullopt;
    return *size.freeBytes;
}

} // namespace zn
