#include "Views/MainWindow/SidebarBadges.h"

#include "Platform/core/ByteCountFormatter.h"

namespace zn {

std::optional<QString> dashboardBadge(std::int64_t totalJunkSize) {
    if (totalJunkSize <= 0)
        return std::nullopt;
    return QString::fromStdString(formatByteCount(totalJunkSize));
}

std::optional<QString> countBadge(std::size_t count) {
    if (count == 0)
        return std::nullopt;
    return QString::number(count);
}

std::optional<QString> sizeBadge(const std::map<CleaningCategory, CategoryResult>& results, CleaningCategory category) {
    const auto entry = results.find(category);
    if (entry == results.end() || entry->second.totalSize <= 0)
        return std::nullopt;
    return QString::fromStdString(formatByteCount(entry->second.totalSize));
}

} // namespace zn
