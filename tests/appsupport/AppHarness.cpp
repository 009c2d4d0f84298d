#include "appsupport/AppHarness.h"

#include "Views/Kit/Theme/AppTheme.h"

#include <QApplication>
#include <QThreadPool>

namespace zn::test {

AppHarness::AppHarness(bool onboardingComplete) {
    fakes.defaults->setBool(onboardingComplete, QString::fromLatin1(ZelvaNexalApp::kOnboardingCompleteKey));
    // The access probes and registration reads look into the fixture's home, never the real one.
    FullDiskAccessOptions access;
    access.protection = PrivacyProtection::none;
    access.locations = FullDiskAccessLocations::forHome(fakes.tree.path("home"));
    access.fileViewer = fileViewer;
    accessManager = std::make_shared<FullDiskAccessManager>(access);
    permission = std::make_unique<PermissionCoordinator>(accessManager, opener, fakes.clock);
    updates = std::make_unique<UpdateService>(
        opener, kTestDownloadPage, [](const std::string&) { return std::optional<std::string>(); });
    app = std::make_unique<ZelvaNexalApp>(environment());
}

AppEnvironment AppHarness::environment() {
    AppStateServices services = fakes.services();
    services.permission = permissionRequester(*permission);
    AppEnvironment environment{std::move(services), accessManager, permission.get(), updates.get(), opener,
                               desktopScheme,       true};
    environment.fileViewer = fileViewer;
    // Launch at login writes into the fixture's own autostart folder.
    environment.loginItem =
        std::make_shared<const LoginItem>(QString::fromStdString(fakes.tree.path("config/autostart")),
                                          QStringLiteral("/opt/zelvanexal/zelvanexal"));
    return environment;
}

AppHarness::~AppHarness() {
    for (CleaningCategory category : allCleaningCategories())
        fakes.scanner->gate(category).open();
    fakes.cleaner->gate().open();
    fakes.installedApps->gate().open();
    QThreadPool::globalInstance()->waitForDone();
    app.reset();
    processQueuedWork();
    // The application object styled the whole test program; the next test starts from the light scheme.
    QApplication::setPalette(AppTheme::palette(ColorScheme::light));
}

std::vector<AppWindow*> AppHarness::windows() const {
    std::vector<AppWindow*> open;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<AppWindow*>(widget); window && window->isVisible())
            open.push_back(window);
    return open;
}

void AppHarness::closeAllWindows() {
    for (AppWindow* window : windows())
        window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QAction* findAction(const QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

std::vector<std::string> menuRows(const QMenu& menu) {
    std::vector<std::string> rows;
    for (QAction* action : menu.actions())
        rows.push_back(action->isSeparator()
                           ? "---"
                           : action->text().toStdString() + (action->isEnabled() ? "" : " (off)"));
    return rows;
}

} // namespace zn::test
