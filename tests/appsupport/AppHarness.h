#pragma once

#include "App/AppWindow.h"
#include "App/ZelvaNexalApp.h"
#include "Services/PermissionCoordinator.h"
#include "Services/UpdateService.h"
#include "appsupport/AppStateHarness.h"
#include "appsupport/FakeDesktopColorScheme.h"
#include "appsupport/RecordingFileViewer.h"
#include "appsupport/RecordingUrlOpener.h"

#include <QAction>
#include <QMenu>
#include <memory>
#include <vector>

namespace zn::test {

inline const QUrl kTestDownloadPage{QStringLiteral("https://zelvanexal.test/download")};

// The application object on fake engines and services, with the onboarding flag set as asked.
class AppHarness {
public:
    explicit AppHarness(bool onboardingComplete);
    ~AppHarness();

    // Everything the application object is given, all of it inside the fixture (a second application
    // object of a test gets the same).
    AppEnvironment environment();

    std::vector<AppWindow*> windows() const;
    // Closes every window as a user would and lets the closed ones go.
    void closeAllWindows();

    AppStateHarness fakes;
    std::shared_ptr<RecordingUrlOpener> opener = std::make_shared<RecordingUrlOpener>();
    std::shared_ptr<FakeDesktopColorScheme> desktopScheme = std::make_shared<FakeDesktopColorScheme>();
    std::shared_ptr<RecordingFileViewer> fileViewer = std::make_shared<RecordingFileViewer>();
    std::shared_ptr<FullDiskAccessManager> accessManager;
    std::unique_ptr<PermissionCoordinator> permission;
    std::unique_ptr<UpdateService> updates;
    std::unique_ptr<ZelvaNexalApp> app;
};

// The enabled or disabled action with this text; none when the menu has no such row.
QAction* findAction(const QMenu& menu, const QString& text);
// The menu's rows as text: "---" for a separator, " (off)" after a disabled item.
std::vector<std::string> menuRows(const QMenu& menu);

} // namespace zn::test
