#include "Platform/core/VolumeInfo.h"

#include <cerrno>
#include <cstring>
#include <limits>
#include <sys/statvfs.h>

namespace zn {

namespace {

std::int64_t bytes(unsigned long long blocks, unsigned long long blockSize) {
    unsigned long long product = 0;
    if (__builtin_mul_overflow(blocks, blockSize, &product) ||
        product > static_cast<unsigned long long>(std::numeric_limits<std::int64_t>::max()))
        return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(product);
}

} // namespace

VolumeInfo::FileSystemSize StatvfsVolumeInfo::fileSystemSize(const std::string& path) const {
    FileSystemSize result;
    struct statvfs info;
    if (::statvfs(path.c_str(), &info) != 0) {
        result.errorDescription = std::strerror(errno);
        return result;
    }
    result.readable = true;
    result.totalBytes = bytes(info.f_blocks, info.f_frsize);
    result.freeBytes = bytes(info.f_bavail, info.f_frsize);
    return result;
}

VolumeInfo::Capacities StatvfsVolumeInfo::capacities(const std::string& path) const {
    Capacities result;
    struct statvfs info;
    if (::statvfs(path.c_str(), &info) != 0) {
        result.errorDescription = std::strerror(errno);
        return result;
    }
    result.readable = true;
    result.available = bytes(info.f_bavail, info.f_frsize);
    return result;
}

} // namespace zn
