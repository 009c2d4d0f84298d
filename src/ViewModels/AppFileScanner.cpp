#include "ViewModels/AppFileScanner.h"

#include "Logic/Scanning/AppPathFinder.h"

namespace zn {

void defaultAppFileScanner(const InstalledApp& app, const Locations& locations,
                           std::function<void(std::set<std::string> found)> completion) {
    AppPathFinder::AppInfo info{app.appName, app.bundleIdentifier, app.path, std::nullopt, std::nullopt};
    AppPathFinder(std::move(info), locations, AppPathFinder::Sensitivity::enhanced)
        .findPathsAsync(std::move(completion));
}

} // namespace zn
