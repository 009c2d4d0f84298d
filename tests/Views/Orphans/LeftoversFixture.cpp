#include "Views/Orphans/LeftoversFixture.h"

#include <QThreadPool>
#include <mutex>

namespace zn::test {

LeftoversFixture::LeftoversFixture() {
    OrphanRemovalTools tools = OrphanRemovalTools::forRules(harness.leftoverRules, harness.trash->trash());
    const OtherPeople otherPeople = harness.leftoverRules->otherPeople();
    tools.removePermanently = [this, otherPeople](const std::string& path) {
        return denied.contains(path) ? OrphanRemoveOutcome::permissionDenied
                                     : removeLeftoverPermanently(path, otherPeople);
    };
    tools.removeWithAdminPrivileges = [this, otherPeople](const std::vector<std::string>& paths) {
        administratorDialog.passThrough();
        administratorCalls.push_back(paths);
        PrivilegedRemovalReport report;
        if (administratorRuns)
            for (const std::string& path : paths)
                if (removeLeftoverPermanently(path, otherPeople).outcome == OrphanRemoveOutcome::removed)
                    report.removed.insert(path);
        return report;
    };
    auto trash = harness.trash;
    tools.moveToTrash = [trash](const std::string& path) { return trash->moveToTrash(path); };
    harness.uninstall.orphanRemoval = tools;
    state = &harness.makeState();
    view = new OrphanListView(*state, viewer, opener, *harness.prompter);
    window.reset(view);
    view->resize(900, 560);
    view->show();
    processQueuedWork();
}

std::string LeftoversFixture::leftover(const std::string& libraryRelative, std::size_t bytes) {
    const std::string folder = harness.tree.folder("home/Library/" + libraryRelative);
    harness.tree.textFile("home/Library/" + libraryRelative + "/data", std::string(bytes, 'x'));
    return folder;
}

void LeftoversFixture::search() {
    state->findOrphans();
    waitUntil([&] { return !state->isSearchingOrphans(); });
}

void LeftoversFixture::waitForRemoval() {
    waitUntil([&] { return !view->isRemoving(); });
    processQueuedWork();
}

} // namespace zn::test
