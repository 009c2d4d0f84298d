#pragma once

#include <string>

namespace zn {

// Why a removal or a move left an entry in place for other people.
enum class KeptBecause {
    belongsToAnotherUser,
    sharedWithOtherUsers, // a folder others may rename their own entries into: what it holds stays
    inFolderOfOtherUsers, // the item lies in such a folder, and so cannot go by its name
};

// An entry that stayed for other people, as a full path.
struct KeptEntry {
    std::string path;
    KeptBecause because = KeptBecause::belongsToAnotherUser;

    bool operator==(const KeptEntry&) const = default;
};

// What the user is told of it: "<path> was kept: it belongs to another user", and the like.
std::string keptEntryText(const KeptEntry& entry);

} // namespace zn
