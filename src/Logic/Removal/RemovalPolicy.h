#pragma once

#include "Logic/Removal/WholeOrOwnEntries.h"
#include "Platform/core/PeopleAccounts.h"

#include <string>
#include <sys/types.h>
#include <vector>

namespace zn {

// What the finders may offer one user, and whose entries nothing removes or moves for that user: each
// question answered once. Keeps no state but its inputs; any thread may ask.
class RemovalPolicy {
public:
    // `user` the one removing, `people` who counts as a person.
    RemovalPolicy(uid_t user, People people) : user_(user), people_(people) {}

    uid_t user() const { return user_; }

    // The people whose entries nothing removes or moves for this user, whoever asks.
    OtherPeople otherPeople() const { return OtherPeople(user_, people_); }

    // An entry of `owner` may be offered to this user at all (isOtherUsersEntry).
    bool mayOfferEntryOf(uid_t owner) const { return !isOtherUsersEntry(owner, user_); }
    // The folder may be offered whole as far as owners, writers and mounts go (mayGoWholeFor).
    bool mayOfferWhole(const std::string& folder, const TopEntryTest& acceptsTopEntry,
                       const TopEntryTest& acceptsEveryEntry = nullptr) const {
        return mayGoWholeFor(folder, user_, acceptsTopEntry, acceptsEveryEntry);
    }
    // What of a folder that cannot go whole may be offered one by one (entriesOfferableInside).
    std::vector<InnerEntry> entriesOfferableInside(const std::string& folder, int depth) const {
        return zn::entriesOfferableInside(folder, depth, user_);
    }

private:
    uid_t user_;
    People people_;
};

} // namespace zn
