#pragma once

#include "Logic/Scanning/AppInfoFetcher.h"
#include "Logic/Scanning/Locations.h"

#include <functional>
#include <string>
#include <vector>

namespace zn {

// The search for leftovers of applications that are gone: every entry of the reverse-search folders
// whose normalised name neither starts with a skipReverse prefix nor contains an installed application's
// normalised bundle identifier or name, and that `mayOffer` accepts (LeftoverRules::mayOffer); sorted by
// file name.
// Blocking; folders that cannot be listed are skipped. The installed list must be a loaded one: matched
// against an empty list, every application's folders would look left over.
std::vector<std::string> findOrphanedFiles(const Locations& locations, const std::vector<InstalledApp>& apps,
                                           const std::function<bool(const std::string&)>& mayOffer);

} // namespace zn
