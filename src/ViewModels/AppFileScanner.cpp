#include "ViewModels/AppFileScanner.h"

#include "Logic/Scanning/AppPathFinder.h"

namespace zn {

namespace {

void findAppFiles(const InstalledApp& app, const Locations& locations, AppPathFinder::Tables tables,
                  std::function<void(std::set<std::string> found)> completion) {
    AppPathFinder::AppInfo info{app.appName, app.bundleIdentifier, app.path, std::nullopt, std::nullopt};
    AppPathFinder(std::move(info), locations, AppPathFinder::Sensitivity::enhanced, std::move(tables))
        .findPathsAsync(std::move(completion));
}

} // namespace

void defaultAppFileScanner(const InstalledApp& app, const Locations& locations,
                           std::function<void(std::set<std::string> found)> completion) {
    findAppFiles(app, locations, AppPathFinder::Tables::shared(), std::move(completion));
}

AppFileScanner appFileScannerWith(AppPathFinder::Tables tables) {
    return [tables = std::move(tables)](const InstalledApp& app, const Locations& locations,
                                        std::function<void(std::set<std::string> found)> completion) {
        findAppFiles(app, locations, tables, std::move(completion));
    };
}

} // namespace zn
