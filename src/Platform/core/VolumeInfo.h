#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zn {

// Capacity figures of the volume that holds a path. Injected, so tests can supply any figures.
class VolumeInfo {
public:
    struct FileSystemSize {
        bool readable = false;
        std::string errorDescription; // when not readable
        std::optional<std::int64_t> totalBytes;
        std::optional<std::int64_t> freeBytes;
    };
    struct Capacities {
        bool readable = false;
        std::string errorDescription; // when not readable
        // Space the system could make available for important work; Linux has no such figure.
        std::optional<std::int64_t> availableForImportantUsage;
        std::optional<std::int64_t> available;
    };

    virtual ~VolumeInfo() = default;
    virtual FileSystemSize fileSystemSize(const std::string& path) const = 0;
    virtual Capacities capacities(const std::string& path) const = 0;
};

// statvfs(3): size = f_blocks * f_frsize, free = f_bavail * f_frsize (what an ordinary user can use).
class StatvfsVolumeInfo final : public VolumeInfo {
public:
    FileSystemSize fileSystemSize(const std::string& path) const override;
    Capacities capacities(const std::string& path) const override;
};

} // namespace zn
