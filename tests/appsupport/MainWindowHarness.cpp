#include "appsupport/MainWindowHarness.h"

#include <QThreadPool>
#include <filesystem>

namespace zn::test {

namespace {
constexpr const char* kProtectedFolder = "Library/Mail";
} // namespace

MainWindowHarness::MainWindowHarness() : state(fakes.makeState()) {
    FullDiskAccessOptions guarded;
    guarded.protection = PrivacyProtection::perApplication;
    guarded.locations.probePaths = {fakes.tree.path(kProtectedFolder)};
    guarded.locations.registrationPaths = {fakes.tree.path(kProtectedFolder)};
    permission = std::make_unique<PermissionCoordinator>(std::make_shared<FullDiskAccessManager>(guarded), opener,
                                                         fakes.clock);
    theme = std::make_unique<ThemeManager>(*fakes.defaults);
}

MainWindowHarness::~MainWindowHarness() {
    // Probes started by the window finish before the coordinator goes.
    QThreadPool::globalInstance()->waitForDone();
    processQueuedWork();
}

ScreenServices MainWindowHarness::services() {
    return {state, *permission, *theme, fileViewer, *fakes.prompter, *opener};
}

void MainWindowHarness::setCoordinatorAccess(bool granted) {
    if (granted)
        fakes.tree.folder(kProtectedFolder);
    else
        std::filesystem::remove_all(fakes.tree.path(kProtectedFolder));
}

} // namespace zn::test
