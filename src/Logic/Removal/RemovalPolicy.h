#pragma once

#include "Logic/Removal/AdministratorPassFolders.h"
#include "Logic/Removal/WholeOrOwnEntries.h"
#include "Platform/core/PeopleAccounts.h"

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace zn {

// What may be removed for one user: the questions the finders and the removals ask, each answered once.
// Keeps no state but its inputs; any thread may ask.
class RemovalPolicy {
public:
    // `home` as the user's home (standardised here), `user` the one removing, `people` who counts as a
    // person, `systemRoot` prefixed to the system's folders ("" for the real ones).
    RemovalPolicy(const std::string& home, uid_t user, People people, const std::string& systemRoot = "");

    uid_t user() const { return user_; }
    const std::string& home() const { return home_; }

    // The people whose entries nothing removes or moves for this user, whoever asks.
    OtherPeople otherPeople() const { return OtherPeople(user_, people_); }

    // An entry of `owner` may be offered to this user at all (isOtherUsersEntry).
    bool mayOfferEntryOf(uid_t owner) const { return !isOtherUsersEntry(owner, user_); }
    // The folder may be offered whole as far as owners, writers and mounts go (mayGoWholeFor).
    bool mayOfferWhole(const std::string& folder, const TopEntryTest& acceptsTopEntry,
                       const TopEntryTest& acceptsEveryEntry = nullptr) const;
    // What of a folder that cannot go whole may be offered one by one (entriesOfferableInside).
    std::vector<InnerEntry> entriesOfferableInside(const std::string& folder, int depth) const;

    // The administrator-pass folder whose rule admits the standardised `path`, if any.
    std::optional<std::string> administratorFolderAdmitting(const std::string& path) const {
        return administratorFolders_.folderAdmitting(path);
    }
    // The machine's applications folder, whose real bundles are the machine's.
    const std::string& machineApplications() const { return administratorFolders_.machineApplications(); }

    // `path` is one of the user's document folders or lies inside one (DocumentFolders).
    bool isInDocumentFolder(const std::string& path) const;

private:
    std::string home_;
    uid_t user_;
    People people_;
    AdministratorPassFolders administratorFolders_;
};

} // namespace zn
