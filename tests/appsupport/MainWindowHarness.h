#pragma once

#include "Services/PermissionCoordinator.h"
#include "Views/Kit/Theme/ThemeManager.h"
#include "Views/MainWindow/DetailRoutes.h"
#include "appsupport/AppStateHarness.h"
#include "appsupport/RecordingFileViewer.h"
#include "appsupport/RecordingUrlOpener.h"

#include <memory>

namespace zn::test {

// The main window's services on fakes: a fake-backed state, a real permission coordinator in virtual time
// whose access is switched by one protected folder of the fixture home (missing at first), the appearance
// store and a file viewer that records.
class MainWindowHarness {
public:
    MainWindowHarness();
    ~MainWindowHarness();

    ScreenServices services();
    // Gives the coordinator's probe access, or takes it away.
    void setCoordinatorAccess(bool granted);

    AppStateHarness fakes;
    AppState& state;
    std::shared_ptr<RecordingUrlOpener> opener = std::make_shared<RecordingUrlOpener>();
    std::unique_ptr<PermissionCoordinator> permission;
    std::unique_ptr<ThemeManager> theme;
    RecordingFileViewer fileViewer;
};

} // namespace zn::test
