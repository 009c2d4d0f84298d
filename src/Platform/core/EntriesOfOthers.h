#pragma once

#include "Platform/core/PeopleAccounts.h"

#include <string>

namespace zn {

// What a look through one entry's tree found of other people.
struct EntriesOfOthersSearch {
    // The first entry of another person met, as a full path; empty when there is none.
    std::string firstEntry;
    // 0, or the errno of a folder that could not be opened or read: what it holds is unknown. A folder that
    // only the administrator could have filled (root's, that nobody else may write to) is no such folder.
    int error = 0;
};

// Looks through the entry `name` of the open folder `folderFd` (whose full path is `path`) and everything
// in it for an entry that `otherPeople` own. Links are never followed, and folders are opened relative to
// the one holding them and judged on their descriptors, so the tree looked at is the one the name named.
EntriesOfOthersSearch findEntryOfOthers(int folderFd, const std::string& name, const std::string& path,
                                        const OtherPeople& otherPeople);

} // namespace zn
