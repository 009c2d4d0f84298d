#pragma once

#include <cstdint>

namespace zn {

// Capacity of the startup volume in bytes; figures that could not be read are 0.
struct DiskInfo {
    std::int64_t totalSpace = 0;
    std::int64_t freeSpace = 0;
    std::int64_t usedSpace = 0;      // total minus free
    std::int64_t purgeableSpace = 0; // 0 when 10 MiB or less

    bool operator==(const DiskInfo&) const = default;
};

} // namespace zn
