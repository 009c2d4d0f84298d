#pragma once

#include "Logic/Scanning/AppInfoFetcher.h"
#include "Logic/Scanning/AppPathFinder.h"
#include "Logic/Scanning/Locations.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace zn {

// Finds the leftover files of one installed application in the given search locations and hands the
// found paths to the completion once, on the main thread. `installed` is the list of installed
// applications (`app` may be among them): nothing of the others is offered.
using AppFileScanner = std::function<void(const InstalledApp& app, const std::vector<InstalledApp>& installed,
                                          const Locations& locations,
                                          std::function<void(std::set<std::string> found)> completion)>;

// The leftover finder with enhanced matching, whatever the settings say; it answers through the main queue.
void defaultAppFileScanner(const InstalledApp& app, const std::vector<InstalledApp>& installed,
                           const Locations& locations,
                           std::function<void(std::set<std::string> found)> completion);
// The same finder on other tables (those of a fixture's home folder).
AppFileScanner appFileScannerWith(AppPathFinder::Tables tables);

} // namespace zn
