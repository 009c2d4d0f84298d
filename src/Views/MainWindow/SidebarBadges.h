#pragma once

#include "Models/CleanableItem.h"
#include "Models/CleaningCategory.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>

namespace zn {

// What the sidebar's badges say; none means the row shows no badge.
// Quick Clean: everything the last scan found, once it is more than nothing.
std::optional<QString> dashboardBadge(std::int64_t totalJunkSize);
// A list's length as a plain number without grouping ("1234"), for a list that is not empty.
std::optional<QString> countBadge(std::size_t count);
// A category's result size, once it was scanned and found more than nothing.
std::optional<QString> sizeBadge(const std::map<CleaningCategory, CategoryResult>& results, CleaningCategory category);

} // namespace zn
