#include "ViewModels/AppFileScanner.h"

#include "Logic/Scanning/AppPathFinder.h"

namespace zn {

namespace {

AppPathFinder::AppInfo searchInfo(const InstalledApp& app) {
    return {app.appName, app.bundleIdentifier, app.path, std::nullopt, std::nullopt};
}

void findAppFiles(const InstalledApp& app, const std::vector<InstalledApp>& installed,
                  const Locations& locations, AppPathFinder::Tables tables,
                  std::function<void(std::set<std::string> found)> completion) {
    AppPathFinder::Surroundings surroundings;
    for (const InstalledApp& other : installed)
        surroundings.installedApps.push_back(searchInfo(other));
    AppPathFinder(searchInfo(app), locations, AppPathFinder::Sensitivity::enhanced, std::move(tables),
                  std::move(surroundings))
        .findPathsAsync(std::move(completion));
}

} // namespace

void defaultAppFileScanner(const InstalledApp& app, const std::vector<InstalledApp>& installed,
                           const Locations& locations,
                           std::function<void(std::set<std::string> found)> completion) {
    findAppFiles(app, installed, locations, AppPathFinder::Tables::shared(), std::move(completion));
}

AppFileScanner appFileScannerWith(AppPathFinder::Tables tables) {
    return [tables = std::move(tables)](const InstalledApp& app, const std::vector<InstalledApp>& installed,
                                        const Locations& locations,
                                        std::function<void(std::set<std::string> found)> completion) {
        findAppFiles(app, installed, locations, tables, std::move(completion));
    };
}

} // namespace zn
