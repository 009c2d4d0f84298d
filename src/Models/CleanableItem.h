#pragma once

#include "Models/CleaningCategory.h"
#include "Models/Date.h"
#include "Models/Uuid.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zn {

// One removable file or folder found by a scan. Its identity is `id` alone: the same path found by two
// scans gives two different items, and an item whose selection or size changed still equals itself.
struct CleanableItem {
    Uuid id;
    std::string name;
    std::string path; // as found, not standardised
    std::int64_t size = 0;
    CleaningCategory category = CleaningCategory::smartScan;
    bool isSelected = false; // the default selection
    std::optional<Date> lastModified;

    bool operator==(const CleanableItem& other) const { return id == other.id; }
};

// The result of scanning one category.
struct CategoryResult {
    Uuid id;
    CleaningCategory category = CleaningCategory::smartScan;
    std::vector<CleanableItem> items;
    std::int64_t totalSize = 0;
};

// Sizes are summed without overflow: a sum that would pass the int64 maximum stays at it.
std::int64_t saturatingAdd(std::int64_t a, std::int64_t b);
std::int64_t totalSizeOf(const std::vector<CleanableItem>& items);

} // namespace zn

template <> struct std::hash<zn::CleanableItem> {
    std::size_t operator()(const zn::CleanableItem& item) const noexcept {
        return std::hash<zn::Uuid>{}(item.id);
    }
};
