#pragma once

#include <functional>
#include <string>
#include <sys/types.h>

namespace zn {

// An entry of `owner` is another user's, seen from `user`: the administrator's own entries are the
// system's leftovers of an installation, which the administrator pass is there for; any other owner's are
// not the user's to remove.
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

} // namespace zn
