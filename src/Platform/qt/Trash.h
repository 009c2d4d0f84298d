#pragma once

#include "Platform/core/UniqueFd.h"

#include <optional>
#include <string>
#include <sys/types.h>

namespace zn {

// Moves files to the desktop's Trash the way the freedesktop.org Trash specification describes (the file
// under "files/", a ".trashinfo" under "info/"), so the file manager can put them back.
class Trash {
public:
    struct Outcome {
        bool moved = false;
        // errno of the failure: EACCES/EPERM = no permission. ENOENT may mean the item is gone, or that a
        // folder on its way or on the Trash's was missing: only a look at the item tells.
        int errorNumber = 0;
        std::string trashedPath;
    };

    // `homeTrash` is the home Trash folder; empty means the current user's (HomeTrash::ofCurrentUser).
    explicit Trash(std::string homeTrash = {});

    // Never follows a final symbolic link: a link is trashed as the link itself. The folder that holds the
    // item is reached without following links once its path is resolved, so the item that moves is the
    // one the path named; nothing already in the Trash is ever replaced.
    Outcome moveToTrash(const std::string& path) const;

    const std::string& homeTrash() const { return homeTrash_; }

    // A Trash, open: its path, and its "files" and "info" folders, which are used only through their
    // descriptors.
    struct Folders {
        std::string path;
        UniqueFd files;
        UniqueFd info;
    };

    // The Trash of `user` on the mount whose top folder is `topDirectory`: "$topdir/.Trash/$uid" when the
    // shared "$topdir/.Trash" is a sticky folder (not a link) and the user's folder in it is (or can be
    // made) a real folder owned by the user that nobody else may write to; else "$topdir/.Trash-$uid"
    // under the same conditions; else none with EXDEV in `error`. Each folder is opened relative to the one
    // that holds it, without following a link, and checked on its descriptor: whoever owns the shared
    // folder may swap what it holds at any moment, and no path is ever looked up again.
    static std::optional<Folders> openMountTrash(const std::string& topDirectory, uid_t user, int& error);

private:
    std::optional<Folders> trashFor(const std::string& path, dev_t device, std::string& topDirectory,
                                    int& error) const;

    std::string homeTrash_;
};

} // namespace zn
