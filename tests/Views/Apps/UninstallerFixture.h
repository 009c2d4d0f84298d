#pragma once

#include "Views/Apps/AppListView.h"
#include "appsupport/AppStateHarness.h"
#include "appsupport/RecordingFileViewer.h"

#include <memory>
#include <string>
#include <vector>

namespace zn::test {

// The uninstaller screen over a fixture home, with applications whose bundles exist in the fixture.
class UninstallerFixture {
public:
    UninstallerFixture();

    // A bundle with an Info.plist under the fixture's Applications folder.
    InstalledApp addApp(const std::string& name, const std::string& bundleIdentifier, std::int64_t size);
    // A file of `bytes` real (not sparse) bytes in the fixture home.
    std::string homeFile(const std::string& relative, std::size_t bytes = 6000);
    // The application chosen, with its files found and all ticked.
    void showFiles(const InstalledApp& app, const std::vector<std::string>& files);
    // Waits until every listed folder has been sized.
    void waitForSizes();

    AppStateHarness harness;
    RecordingFileViewer viewer;
    AppState* state;
    std::vector<InstalledApp> apps;
    AppListView* view;
    // What holds the screen: the screen itself, or a frame around it.
    std::unique_ptr<QWidget> window;
};

} // namespace zn::test
