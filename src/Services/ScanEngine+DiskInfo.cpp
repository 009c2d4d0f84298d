#include "Logic/Utilities/Logger.h"
#include "Services/ScanEngine.h"

namespace zn {

namespace {

// Below this the system's own bookkeeping noise would show as purgeable space.
constexpr std::int64_t kPurgeableMinimumExclusive = 10 * 1024 * 1024;

std::int64_t purgeableSpaceFrom(const VolumeInfo::Capacities& capacities) {
    if (!capacities.availableForImportantUsage || !capacities.available)
        return 0;
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(*capacities.availableForImportantUsage, *capacities.available, &difference))
        return 0;
    return difference > kPurgeableMinimumExclusive ? difference : 0;
}

} // namespace

DiskInfo ScanEngine::getDiskInfoLocked() {
    DiskInfo info;
    const VolumeInfo& volume = *options_.volumeInfo;
    VolumeInfo::FileSystemSize size = volume.fileSystemSize(options_.startupVolume);
    if (!size.readable) {
        Logger::shared().log("Disk info unavailable: " + size.errorDescription, LogLevel::warning,
                             "getDiskInfo()");
        return info;
    }
    info.totalSpace = size.totalBytes.value_or(0);
    info.freeSpace = size.freeBytes.value_or(0);
    if (__builtin_sub_overflow(info.totalSpace, info.freeSpace, &info.usedSpace))
        info.usedSpace = 0;

    VolumeInfo::Capacities capacities = volume.capacities(options_.startupVolume);
    if (!capacities.readable) {
        Logger::shared().log("Disk info unavailable: " + capacities.errorDescription, LogLevel::warning,
                             "getDiskInfo()");
        return info;
    }
    info.purgeableSpace = purgeableSpaceFrom(capacities);
    return info;
}

} // namespace zn
