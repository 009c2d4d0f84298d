#include "Views/Apps/UninstallerFixture.h"

#include "ViewModels/ListedItemSizes.h"
#include "Views/Apps/AppFilesView.h"

namespace zn::test {

UninstallerFixture::UninstallerFixture() : state(&harness.makeState()) {
    view = new AppListView(*state, viewer, *harness.prompter);
    window.reset(view);
    view->resize(1040, 640);
    view->show();
    processQueuedWork();
}

InstalledApp UninstallerFixture::addApp(const std::string& name, const std::string& bundleIdentifier,
                                        std::int64_t size) {
    const std::string bundle = harness.tree.folder("Applications/" + name + ".app");
    harness.tree.textFile("Applications/" + name + ".app/Contents/Info.plist",
                          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                          "<key>CFBundleIdentifier</key><string>" + bundleIdentifier + "</string>"
                          "<key>CFBundleName</key><string>" + name + "</string></dict></plist>\n");
    InstalledApp app{Uuid::random(), name, bundleIdentifier, bundle, size};
    apps.push_back(app);
    state->setInstalledApps(apps);
    return app;
}

std::string UninstallerFixture::homeFile(const std::string& relative, std::size_t bytes) {
    return harness.tree.textFile("home/" + relative, std::string(bytes, 'z'));
}

void UninstallerFixture::showFiles(const InstalledApp& app, const std::vector<std::string>& files) {
    state->setSelectedApp(app);
    state->setDiscoveredFiles(files);
    state->setSelectedFiles({files.begin(), files.end()});
    waitForSizes();
}

void UninstallerFixture::waitForSizes() {
    waitUntil([&] { return !view->filesView().sizes().isMeasuring(); });
}

} // namespace zn::test
