#include "ViewModels/AppState.h"
#include "Views/Apps/UninstallerFixture.h"
#include "appsupport/ScreenFrame.h"
#include "appsupport/Screenshots.h"

#include <QTableView>
#include <gtest/gtest.h>

namespace zn {
namespace {

using test::processQueuedWork;

constexpr QSize kWindow(1060, 660);

// The uninstaller in each of its states, light and dark, as the main window shows it.
class UninstallerScreenshots : public ::testing::TestWithParam<ColorScheme>, public test::UninstallerFixture {
protected:
    void addApps() {
        addApp("Figma", "com.figma.Desktop", 412'300'000);
        addApp("Slack", "com.tinyspeck.slackmacgap", 318'900'000);
        addApp("Visual Studio Code", "com.microsoft.VSCode", 587'400'000);
        addApp("Zoom", "us.zoom.xos", 201'600'000);
        addApp("Spotify", "com.spotify.client", 296'000'000);
        addApp("Notion", "notion.id", 341'200'000);
        addApp("Docker", "com.docker.docker", 2'140'000'000);
        addApp("Xcode Helper", "com.example.xcodehelper", 48'700'000);
        addApp("Arc", "company.thebrowser.Browser", 689'100'000);
        addApp("iTerm", "com.googlecode.iterm2", 96'400'000);
    }
    std::vector<std::string> figmaFiles() {
        const std::string support = harness.tree.folder("home/Library/Application Support/Figma");
        for (int i = 0; i < 6; ++i)
            homeFile("Library/Application Support/Figma/DesktopProfile/blob" + std::to_string(i), 180'000);
        const std::string caches = harness.tree.folder("home/Library/Caches/com.figma.Desktop");
        for (int i = 0; i < 4; ++i)
            homeFile("Library/Caches/com.figma.Desktop/Cache.db-" + std::to_string(i), 240'000);
        return {apps[0].path,
                support,
                caches,
                homeFile("Library/Logs/Figma/main.log", 42'000),
                homeFile("Library/Preferences/com.figma.Desktop.plist", 3'000),
                harness.tree.folder("home/Library/Saved Application State/com.figma.Desktop.savedState"),
                homeFile("Library/HTTPStorages/com.figma.Desktop", 12'000)};
    }
    void SetUp() override {
        // Framed first: showing the screen anew starts its search, row and order over.
        (void)window.release();
        window = std::make_unique<test::ScreenFrame>(*view, GetParam(), kWindow);
        processQueuedWork();
    }
    void shoot(const std::string& state) {
        processQueuedWork();
        test::saveScreenshot(*window, QStringLiteral("apps-%1-%2").arg(QString::fromStdString(state), test::schemeName(GetParam())));
    }
    // Chooses the row of `app` and lets its own file search finish.
    void choose(const InstalledApp& app) {
        for (int row = 0; row < view->table().model()->rowCount(); ++row)
            if (view->table().model()->index(row, 0).data().toString().toStdString() == app.appName)
                view->table().selectRow(row);
        processQueuedWork();
        test::waitUntil([&] { return !state->isScanningAppFiles(); });
    }
};

TEST_P(UninstallerScreenshots, TableWithFilesPane) {
    addApps();
    const auto files = figmaFiles();
    choose(apps[0]);
    showFiles(apps[0], files);
    state->setSelectedFiles({files.begin(), files.end() - 2});
    shoot("table-files");
}

TEST_P(UninstallerScreenshots, SearchApplied) {
    addApps();
    view->searchField().setText(QStringLiteral("co"));
    shoot("search");
}

TEST_P(UninstallerScreenshots, EmptyStates) {
    state->setIsLoadingApps(false);
    shoot("no-apps");
}

TEST_P(UninstallerScreenshots, ChooseAnApp) {
    addApps();
    shoot("choose-app");
}

TEST_P(UninstallerScreenshots, NoExtraFiles) {
    addApps();
    choose(apps[3]);
    // The search always finds the bundle itself; an application without one found nothing at all.
    state->setDiscoveredFiles({});
    state->setSelectedFiles({});
    shoot("no-files");
}

TEST_P(UninstallerScreenshots, LoadingAndSearchingFiles) {
    addApps();
    state->setIsLoadingApps(true);
    state->setSelectedApp(apps[0]);
    state->setIsScanningAppFiles(true);
    state->setAppFileScanLocationCount(87);
    shoot("loading");
}

INSTANTIATE_TEST_SUITE_P(Schemes, UninstallerScreenshots, ::testing::Values(ColorScheme::light, ColorScheme::dark),
                         [](const auto& info) { return test::schemeName(info.param).toStdString(); });

} // namespace
} // namespace zn
