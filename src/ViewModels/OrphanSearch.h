#pragma once

#include "Logic/Scanning/AppInfoFetcher.h"
#include "Logic/Scanning/Locations.h"

#include <functional>
#include <string>
#include <vector>

namespace zn {

// What the search offers for one entry that is left over (LeftoverRules::offered).
using LeftoverOffers = std::function<std::vector<std::string>(const std::string&)>;

// The search for leftovers of applications that are gone: for every entry of the reverse-search folders
// whose normalised name neither starts with a skipReverse prefix nor contains an installed application's
// normalised bundle identifier or name, what `offers` gives for it; sorted by file name.
// Blocking; folders that cannot be listed are skipped. The installed list must be a loaded one: matched
// against an empty list, every application's folders would look left over.
std::vector<std::string> findOrphanedFiles(const Locations& locations, const std::vector<InstalledApp>& apps,
                                           const LeftoverOffers& offers);

} // namespace zn
