#pragma once

#include "Logic/Removal/CleaningPathRules.h"
#include "Logic/Removal/OrphanSafetyPolicy.h"
#include "Logic/Removal/RemovalPolicy.h"
#include "Platform/core/PeopleAccounts.h"

#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace zn {

// Whether a leftover, in the form its check gave it (OrphanSafetyPolicy::checkedPath), may go through the
// administrator pass of the user whose `policy` and `rules` these are: the policy takes the path as written,
// and it lies in no shared temporary folder. Both sides of the pass ask this.
bool admitsLeftoverInAdminPass(const std::string& checkedPath, const OrphanSafetyPolicy& policy,
                               const CleaningPathRules& rules);

// What leftovers of removed applications are offered and removed by, for one user: the leftover policy of
// their home, and the cleaning rules' shared temporary folders, where entries of every user lie side by
// side. Keeps no state; any thread may ask.
class LeftoverRules {
public:
    // `home` and `systemRoot` as OrphanSafetyPolicy takes them; `folders` names the shared temporary
    // folders (the system's by default).
    LeftoverRules(const std::string& home, uid_t user, const std::string& systemRoot = "",
                  SystemCleaningFolders folders = {}, People people = People::fromLoginDefinitions());

    // The current user's, on the real system folders, built on first use.
    static std::shared_ptr<const LeftoverRules> currentUser();

    // OrphanSafetyPolicy::checkedPath.
    std::optional<std::string> checkedPath(const std::string& path) const {
        return policy_.checkedPath(path);
    }
    // Whether the search may offer the entry at `path`: the policy lets it go, its folder lets nobody else
    // rename entries over its name (othersMayReplaceEntriesIn), and where anyone else could have put it (a
    // shared temporary folder, or a folder others may write to) it is the user's own.
    bool mayOffer(const std::string& path) const;
    // What the search offers for the entry at `path`: the entry itself where the policy lets it go and,
    // for a folder, all of it may go to the user as a whole (mayGoWholeFor: nothing of another user, of
    // another mount, or that others may write to); otherwise the user's own entries inside it, each judged
    // the same way. Never an entry of another user.
    std::vector<std::string> offered(const std::string& path) const;
    // Whether a checked path may go through this user's administrator pass (admitsLeftoverInAdminPass).
    bool mayGoToAdministrator(const std::string& checkedPath) const;
    // The people whose entries removing a leftover keeps, whoever asks.
    OtherPeople otherPeople() const { return removal_.otherPeople(); }

private:
    void offer(const std::string& path, int depth, std::vector<std::string>& offered) const;

    OrphanSafetyPolicy policy_;
    CleaningPathRules cleaning_;
    RemovalPolicy removal_;
};

} // namespace zn
