#include "Models/CleanableItem.h"

#include <limits>

namespace zn {

std::int64_t saturatingAdd(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
    return sum;
}

std::int64_t totalSizeOf(const std::vector<CleanableItem>& items) {
    std::int64_t total = 0;
    for (const auto& item : items)
        total = saturatingAdd(total, item.size);
    return total;
}

} // namespace zn
