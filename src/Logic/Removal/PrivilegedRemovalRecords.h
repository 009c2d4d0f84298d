#pragma once

#include "Models/CleaningCategory.h"
#include "Platform/core/KeptEntry.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zn {

// One item handed to the administrator side: its category decides the rule (a large file goes only as a
// regular file), the path is the one the engine resolved and checked. Without a category the item is a
// leftover of a removed application, judged by the leftover rules and removed as a whole (a link as the
// link itself); its path has its folder's links resolved and its own name kept.
struct PrivilegedRemovalRecord {
    std::optional<CleaningCategory> category;
    std::string path;
    bool operator==(const PrivilegedRemovalRecord&) const = default;
};

// The tag a leftover record carries in place of a category's raw value.
inline constexpr std::string_view kLeftoverRecordTag = "leftover";

// Per record: the category's raw value (or the leftover tag), a NUL byte, the path, a NUL byte.
std::string encodePrivilegedRemovalRecords(const std::vector<PrivilegedRemovalRecord>& records);
// Nothing unless the text is a whole list of such records, each of a known category.
std::optional<std::vector<PrivilegedRemovalRecord>> decodePrivilegedRemovalRecords(std::string_view text);

// What the administrator side tells of each record it handled, on its standard output after its start
// marker: a record removed as its path followed by a NUL byte; one that stayed, all or in part, for other
// people as a kept tag (which says why), its path and the first entry kept, each followed by a NUL byte. A
// record it refused or failed to remove is not named.
std::string_view keptRecordTag(KeptBecause because);

struct PrivilegedRemovalReport {
    std::set<std::string> removed;
    std::map<std::string, KeptEntry> kept; // each record's path with the first entry it kept
};
// What a report says, as far as it goes: one cut short (its side stopped half way) tells what came before.
PrivilegedRemovalReport decodePrivilegedRemovalReport(std::string_view text);

} // namespace zn
