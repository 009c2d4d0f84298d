#pragma once

#include "Models/CleanableItem.h"
#include "Services/CleaningEngine.h"

#include <optional>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

namespace zn {

// Paths hashed for looking items up: a clean's hundred thousand paths share long beginnings, which make
// every step of an ordered set's search a long comparison.
class PathLookup {
public:
    PathLookup() = default;
    explicit PathLookup(const std::set<std::string>& paths) : paths_(paths.begin(), paths.end()) {}

    bool contains(const std::string& path) const { return paths_.contains(path); }

private:
    std::unordered_set<std::string> paths_;
};

// The engine's pass and the administrator pass as one result: sums, errors in order (the engine's first),
// the union of removed paths; the administrator pass defers nothing further.
CleaningResult mergedWithAdministratorPass(CleaningResult engine, const CleaningResult& administrator);

// The items a clean left on disk to retry, in list order. Purgeable space is not a file, so it never
// survives (its release is measured, not checked), and an item of `settledPaths` (gone anyway, or kept
// for another user) is not there to retry.
std::vector<CleanableItem> survivingItems(const std::vector<CleanableItem>& items,
                                          const PathLookup& deletedPaths, const PathLookup& settledPaths);

// The result without the items whose path was removed; a new id and a total lowered by their sizes, so a
// total that deliberately leaves items out (purgeable space) keeps its rule. None when nothing remains.
std::optional<CategoryResult> withoutRemovedItems(const CategoryResult& result, const PathLookup& deletedPaths);

// The one message that sums up a clean's failures and what it kept for other users; none when nothing
// failed or was kept.
std::optional<std::string> cleanOutcomeMessage(const std::vector<std::string>& errors,
                                               const std::vector<CleanableItem>& survivors,
                                               bool accessWouldFix, const std::vector<KeptItem>& kept = {});

} // namespace zn
