#pragma once

#include <functional>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <vector>

namespace zn {

// An entry of `owner` is another user's, seen from `user`: neither the user's own nor the administrator's
// (which count as the system's).
inline bool isOtherUsersEntry(uid_t owner, uid_t user) {
    return owner != user && owner != 0;
}

// Judges one entry directly inside the folder by its path, its name and whether it is a folder itself.
using TopEntryTest = std::function<bool(const std::string& path, const std::string& name, bool isDirectory)>;

// Whether the folder may be offered as a whole to `user`: nothing in it is another user's, nothing in it may
// be written to by anyone but its owner (othersMayWriteTo), nothing lies on another mount (a bind mount of
// the same file system included), every entry directly inside passes `acceptsTopEntry`, and every entry
// inside at any depth passes `acceptsEveryEntry` when given. No link is followed. What cannot be looked at
// refuses the whole, but for a folder closed to the user that only the administrator could have filled.
bool mayGoWholeFor(const std::string& folder, uid_t user, const TopEntryTest& acceptsTopEntry,
                   const TopEntryTest& acceptsEveryEntry = nullptr);

// How many levels below a find a folder that cannot go whole is looked into for entries that may go on
// their own.
inline constexpr int kMaxOwnEntryDepth = 4;

// An entry inside a folder that cannot go whole.
struct InnerEntry {
    std::string path;
    std::string name;
    struct stat info; // not following a link
};

// The entries of `folder`, `depth` levels below a find, that may be offered to `user` one by one, as far as
// owners and places go: none past kMaxOwnEntryDepth, none of a folder others may rename into
// (othersMayReplaceEntriesIn), only the user's own where others may write, never another user's. Which
// of them are worth offering is the caller's to judge.
std::vector<InnerEntry> entriesOfferableInside(const std::string& folder, int depth, uid_t user);

} // namespace zn
