#include "ViewModels/CleanOutcome.h"

#include "Platform/core/PathText.h"
#include "Platform/core/StringFormat.h"
#include "Platform/core/VisibleText.h"
#include "ViewModels/RemovalMessages.h"

#include <algorithm>

namespace zn {

namespace {

constexpr std::string_view kAccessMessage =
    "macOS is protecting %lld item(s). Allow access and Zelva Nexal will try again.";
constexpr std::string_view kRemovalMessage =
    "Couldn't remove %@%@. They may be in use or protected by macOS.";
constexpr std::string_view kRemovalMessageTail = " and %lld more";

} // namespace

CleaningResult mergedWithAdministratorPass(CleaningResult engine, const CleaningResult& administrator) {
    engine.freedSpace = saturatingAdd(engine.freedSpace, administrator.freedSpace);
    engine.deletedCount += administrator.deletedCount;
    engine.errors.insert(engine.errors.end(), administrator.errors.begin(), administrator.errors.end());
    engine.deletedPaths.insert(administrator.deletedPaths.begin(), administrator.deletedPaths.end());
    engine.keptForOtherUsers.insert(engine.keptForOtherUsers.end(), administrator.keptForOtherUsers.begin(),
                                    administrator.keptForOtherUsers.end());
    engine.deferredToAdmin.clear();
    return engine;
}

std::vector<CleanableItem> survivingItems(const std::vector<CleanableItem>& items,
                                          const PathLookup& deletedPaths, const PathLookup& settledPaths) {
    std::vector<CleanableItem> survivors;
    for (const auto& item : items) {
        if (item.category == CleaningCategory::purgeableSpace || deletedPaths.contains(item.path) ||
            settledPaths.contains(item.path))
            continue;
        survivors.push_back(item);
    }
    return survivors;
}

std::optional<CategoryResult> withoutRemovedItems(const CategoryResult& result, const PathLookup& deletedPaths) {
    CategoryResult remaining{Uuid::random(), result.category, {}, result.totalSize};
    for (const auto& item : result.items) {
        if (deletedPaths.contains(item.path))
            remaining.totalSize = std::max<std::int64_t>(
                0, saturatingAdd(remaining.totalSize, -std::max<std::int64_t>(item.size, 0)));
        else
            remaining.items.push_back(item);
    }
    if (remaining.items.empty())
        return std::nullopt;
    return remaining;
}

std::optional<std::string> cleanOutcomeMessage(const std::vector<std::string>& errors,
                                               const std::vector<CleanableItem>& survivors,
                                               bool accessWouldFix, const std::vector<KeptItem>& kept) {
    std::optional<std::string> message;
    if (accessWouldFix) {
        message = formatString(kAccessMessage, {static_cast<long long>(survivors.size())});
    } else if (!survivors.empty()) {
        std::string names;
        for (std::size_t i = 0; i < std::min<std::size_t>(2, survivors.size()); ++i)
            names += (i > 0 ? ", " : "") + visibleText(PathText::lastPathComponent(survivors[i].path));
        std::string tail;
        if (survivors.size() > 2)
            tail = formatString(kRemovalMessageTail, {static_cast<long long>(survivors.size() - 2)});
        message = formatString(kRemovalMessage, {names, tail});
    } else if (!errors.empty()) {
        message = visibleText(errors.front());
    }
    if (kept.empty())
        return message;
    const std::string keptMessage = keptForOtherUsersMessage(kept);
    return message ? *message + " " + keptMessage : keptMessage;
}

} // namespace zn
