#include "ViewModels/CleanPass.h"

#include <cerrno>
#include <set>
#include <sys/stat.h>

namespace zn {

namespace {

// Gone means the system says so; a path that cannot be looked at (no permission) may still be there.
bool noLongerExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

} // namespace

CleanPassOutcome runCleanPass(CleaningService& cleaner, const std::vector<CleanableItem>& items,
                              const std::function<void(double)>& progress, PathReading reading) {
    CleanPassOutcome outcome;
    outcome.result = cleaner.cleanItems(items, progress, reading);
    if (!outcome.result.deferredToAdmin.empty()) {
        CleaningResult administrator =
            cleaner.cleanWithAdminPrivileges(outcome.result.deferredToAdmin, reading);
        outcome.result = mergedWithAdministratorPass(std::move(outcome.result), administrator);
    }
    // Paths the passes did not remove that need nothing more: gone anyway, or kept for other users, which
    // no retry may take.
    std::set<std::string> settled;
    for (const auto& item : items)
        if (item.category != CleaningCategory::purgeableSpace &&
            !outcome.result.deletedPaths.contains(item.path) && noLongerExists(item.path))
            settled.insert(item.path);
    for (const KeptItem& kept : outcome.result.keptForOtherUsers)
        settled.insert(kept.path);
    outcome.deletedPaths = PathLookup(outcome.result.deletedPaths);
    outcome.survivors = survivingItems(items, outcome.deletedPaths, PathLookup(settled));
    return outcome;
}

} // namespace zn
