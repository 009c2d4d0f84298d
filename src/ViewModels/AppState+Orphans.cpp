// The search for leftovers of applications that are gone.

#include "ViewModels/AppState+Background.h"
#include "ViewModels/OrphanRemoval.h"
#include "ViewModels/OrphanSearch.h"

namespace zn {

void AppState::findOrphans() {
    setIsSearchingOrphans(true);
    setOrphanedFiles({});
    ++orphanSearchGeneration_;
    // Matched against a list that is not loaded yet, every installed application's folders would be
    // offered as leftovers: wait for the load in flight, or start one.
    if (appListState_ != AppListState::loaded) {
        orphanSearchWaitsForApps_ = true;
        if (appListState_ == AppListState::neverLoaded)
            loadInstalledApps();
        return;
    }
    startOrphanSearch();
}

void AppState::startOrphanSearch() {
    orphanSearchWaitsForApps_ = false;
    auto generation = orphanSearchGeneration_;
    auto apps = installedApps_;
    auto locations = services_.uninstall.orphanLocations;
    auto offers = services_.uninstall.offeredOrphans;
    runInBackground([apps, locations, offers] { return findOrphanedFiles(locations(), apps, offers); },
                    [this, generation](std::vector<std::string> found) {
                        // A newer search is on its way; its answer is the one to show.
                        if (generation != orphanSearchGeneration_)
                            return;
                        setOrphanedFiles(std::move(found));
                        setIsSearchingOrphans(false);
                    });
}

void AppState::removeOrphans(std::vector<std::string> paths,
                             std::function<void(const OrphanRemovalOutcome&)> done) {
    runInBackground(
        [tools = services_.uninstall.orphanRemoval, paths = std::move(paths)] {
            return zn::removeOrphans(paths, tools);
        },
        [this, done = std::move(done)](OrphanRemovalOutcome outcome) {
            dropOrphans(outcome.removed);
            if (done)
                done(outcome);
        });
}

void AppState::moveOrphanToTrash(const std::string& path, std::function<void(const OrphanTrashResult&)> done) {
    runInBackground([tools = services_.uninstall.orphanRemoval, path] { return trashOrphan(path, tools); },
                    [this, path, done = std::move(done)](OrphanTrashResult result) {
                        if (result.outcome == OrphanTrashOutcome::trashed ||
                            result.outcome == OrphanTrashOutcome::alreadyGone)
                            dropOrphans({path});
                        if (done)
                            done(result);
                    });
}

void AppState::dropOrphans(const std::set<std::string>& paths) {
    if (paths.empty())
        return;
    auto listed = orphanedFiles_;
    std::erase_if(listed, [&](const std::string& path) { return paths.contains(path); });
    setOrphanedFiles(std::move(listed));
}

} // namespace zn
