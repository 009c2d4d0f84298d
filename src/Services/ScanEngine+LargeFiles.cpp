#include "Logic/Removal/DocumentFolders.h"
#include "Platform/core/PackageFolder.h"
#include "Platform/core/TreeWalk.h"
#include "Services/ScanEngine.h"

#include <algorithm>
#include <ctime>

namespace zn {

namespace {

// 100 MiB: bigger files are offered whatever their age.
constexpr std::int64_t kLargeFileMinimumExclusive = 100LL * 1024 * 1024;
// 10 MiB: bigger files are offered when unchanged for a calendar year.
constexpr std::int64_t kOldFileMinimumExclusive = 10LL * 1024 * 1024;

// The same local wall-clock time one calendar year earlier; 29 February becomes 28 February.
Date oneCalendarYearBefore(Date now) {
    using namespace std::chrono;
    const auto wholeSeconds = floor<seconds>(now);
    const std::time_t seconds = system_clock::to_time_t(wholeSeconds);
    std::tm local{};
    if (!::localtime_r(&seconds, &local))
        return now - hours(24 * 365);
    local.tm_year -= 1;
    if (local.tm_mon == 1 && local.tm_mday == 29)
        local.tm_mday = 28;
    local.tm_isdst = -1;
    const std::time_t earlier = ::mktime(&local);
    if (earlier == static_cast<std::time_t>(-1))
        return now - hours(24 * 365);
    return dateFromUnixTime(earlier) + (now - wholeSeconds);
}

// A file dated past the clock's end stays in the future, so it is never old.
Date modificationDateOf(const TreeEntry& entry) {
    return dateFromUnixTime(entry.modified, entry.modifiedNanoseconds);
}

} // namespace

CategoryResult ScanEngine::scanLargeFilesLocked() {
    const Date cutoff = oneCalendarYearBefore(options_.now());
    auto offer = [&](const TreeEntry& entry, std::vector<CleanableItem>& into) {
        if (entry.kind == TreeEntry::Kind::folder)
            return isPackageName(entry.name) ? WalkAction::skipDescendants : WalkAction::proceed;
        if (entry.kind != TreeEntry::Kind::file)
            return WalkAction::proceed;
        const Date modified = modificationDateOf(entry);
        const bool large = entry.size > kLargeFileMinimumExclusive;
        const bool oldAndBig = modified < cutoff && entry.size > kOldFileMinimumExclusive;
        if (large || oldAndBig)
            into.push_back({Uuid::random(), entry.name, entry.path, entry.size, CleaningCategory::largeFiles,
                            false, modified});
        return WalkAction::proceed;
    };

    // The roots' own entries are read first, in walk order; each folder among them is then walked on its
    // own, side by side, and its items take its place, so the whole keeps the order of one walk.
    struct Part {
        std::vector<CleanableItem> items;
        std::string folder; // walked in the second pass when set
    };
    std::vector<Part> parts;
    for (const std::string& root : documentFolders(home_)) {
        // A root that is a link leads elsewhere: what lies there could not be cleaned as a file of this
        // folder, so it is not offered as one.
        AttributesReading rootAttributes = fileSystem().attributesOfItem(root);
        if (!rootAttributes.attributes || rootAttributes.attributes->type != FileType::directory)
            continue;
        walkTree(root, [&](const TreeEntry& entry) {
            Part part;
            WalkAction action = offer(entry, part.items);
            if (entry.kind == TreeEntry::Kind::folder && action == WalkAction::proceed)
                part.folder = entry.path;
            parts.push_back(std::move(part));
            return WalkAction::skipDescendants;
        });
    }
    workers().forEachIndex(parts.size(), [&](std::size_t index) {
        Part& part = parts[index];
        if (!part.folder.empty())
            walkTree(part.folder, [&](const TreeEntry& entry) { return offer(entry, part.items); },
                     {.followRootLink = false});
    });

    std::vector<CleanableItem> items;
    for (Part& part : parts)
        items.insert(items.end(), std::make_move_iterator(part.items.begin()),
                     std::make_move_iterator(part.items.end()));
    std::stable_sort(items.begin(), items.end(),
                     [](const CleanableItem& a, const CleanableItem& b) { return a.size > b.size; });
    return resultOf(CleaningCategory::largeFiles, std::move(items));
}

} // namespace zn
