#pragma once

#include "Platform/core/PeopleAccounts.h"
#include "Platform/core/Trash.h"
#include "Services/CleaningEngine+PrivilegedRemoval.h"
#include "Logic/Removal/LeftoverRules.h"

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace zn {

// The result of deleting one leftover permanently.
enum class OrphanRemoveOutcome { removed, permissionDenied, failed, keptForAnotherUser };

struct OrphanRemoveResult {
    OrphanRemoveResult(OrphanRemoveOutcome outcome, KeptEntry keptEntry = {})
        : outcome(outcome), keptEntry(std::move(keptEntry)) {}

    OrphanRemoveOutcome outcome;
    // With keptForAnotherUser: the first entry kept for other people, which stayed with the folders holding
    // it while everything else went.
    KeptEntry keptEntry;
};

// What the leftovers screen removes through. Every part is called off the main thread; the defaults are the
// real ones (the leftover rules of the current user, link-safe permanent removal, the administrator pass
// through osascript or pkexec, the freedesktop Trash); tests replace them.
struct OrphanRemovalTools {
    // The path a removal acts on when the leftover policy lets `path` go (OrphanSafetyPolicy::checkedPath),
    // none when it does not. Every part below takes that path as written and never resolves it again: a
    // folder on the way swapped for a link after the check makes the step fail instead of acting elsewhere.
    std::function<std::optional<std::string>(const std::string&)> checkedPath;
    // Whether a checked path that refused the user may go through the administrator pass.
    std::function<bool(const std::string&)> mayGoToAdministrator;
    std::function<OrphanRemoveResult(const std::string&)> removePermanently;
    // One administrator-authorised removal of all of them: what it removed and what it kept for other
    // users; nothing when refused or cancelled, what it got to when it failed half way.
    std::function<PrivilegedRemovalReport(const std::vector<std::string>&)> removeWithAdminPrivileges;
    std::function<Trash::Outcome(const std::string&)> moveToTrash;

    // The real tools for the user of `rules`, moving to `trash`.
    static OrphanRemovalTools forRules(std::shared_ptr<const LeftoverRules> rules, Trash trash);
    // The current user's, moving to the home Trash.
    static OrphanRemovalTools system();
};

// Deletes the entry that the checked `path` names, as written: a folder with everything in it and a link
// as the link itself, but for what it keeps for `otherPeople` (RemovalLimits::keepEntriesOf), which stays
// with the folders holding it. Folders are opened from "/" one at a time without following any link, so one
// on the way that is a link makes it fail. No permission (EACCES, EPERM) is `permissionDenied`.
OrphanRemoveResult removeLeftoverPermanently(
    const std::string& path, const OtherPeople& otherPeople,
    std::shared_ptr<RemovalFileOperations> operations = std::make_shared<SystemRemovalFileOperations>());

struct OrphanRemovalOutcome {
    std::set<std::string> removed;
    std::vector<std::string> failures; // one text per file not removed, in the order met

    bool operator==(const OrphanRemovalOutcome&) const = default;
};

// The permanent removal pass over `paths`, in order; blocking. Each path is checked once and removed as
// checked. A path the policy refuses is reported as "<path> (kept for safety)" and not touched; permission
// failures that may go to the administrator get one administrator pass together, after which a path
// counts as removed only when that pass says it removed it. An entry of another user kept by either pass
// is reported by name; every other failure reports the path.
OrphanRemovalOutcome removeOrphans(const std::vector<std::string>& paths, const OrphanRemovalTools& tools);

// "Zelva Nexal couldn't remove N item(s).", a blank line and at most three failures, then "…" when there
// were more; none without failures.
std::optional<std::string> orphanRemovalMessage(const std::vector<std::string>& failures);

// Moving one leftover to the Trash.
enum class OrphanTrashOutcome {
    trashed,
    alreadyGone,
    keptForSafety,      // the policy refused it; nothing was touched
    keptForAnotherUser, // it is, or holds, an entry of another user; nothing of it moved
    failed,             // it stays where it was
};
struct OrphanTrashResult {
    OrphanTrashResult(OrphanTrashOutcome outcome, KeptEntry keptEntry = {})
        : outcome(outcome), keptEntry(std::move(keptEntry)) {}

    OrphanTrashOutcome outcome;
    KeptEntry keptEntry; // with keptForAnotherUser: that entry
};
// Checks `path` once and moves the entry it checked to the Trash.
OrphanTrashResult trashOrphan(const std::string& path, const OrphanRemovalTools& tools);

// Where "Reveal in Finder" leads for a leftover: the entry itself while it is there, else its folder while
// that is there, else nowhere.
struct RevealPlace {
    std::string path;
    bool isEntry; // else the folder that held it, to open
};
std::optional<RevealPlace> revealPlaceOf(const std::string& path);

// The failure text of a path the policy refused.
std::string keptForSafetyText(const std::string& path);

} // namespace zn
