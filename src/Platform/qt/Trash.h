#pragma once

#include <string>
#include <sys/types.h>

namespace zn {

// Moves files to the desktop's Trash the way the freedesktop.org Trash specification describes (the file
// under "files/", a ".trashinfo" under "info/"), so the file manager can put them back.
class Trash {
public:
    struct Outcome {
        bool moved = false;
        int errorNumber = 0; // errno of the failure: ENOENT = already gone, EACCES/EPERM = no permission
        std::string trashedPath;
    };

    // `homeTrash` is the home Trash folder; empty means $XDG_DATA_HOME/Trash (~/.local/share/Trash).
    explicit Trash(std::string homeTrash = {});

    // Never follows a final symbolic link: a link is trashed as the link itself. The folder that holds the
    // item is reached without following links once its path is resolved, so the item that moves is the
    // one the path named; nothing already in the Trash is ever replaced.
    Outcome moveToTrash(const std::string& path) const;

    const std::string& homeTrash() const { return homeTrash_; }

    // The Trash of `user` on the mount whose top folder is `topDirectory`: "$topdir/.Trash/$uid" when the
    // shared "$topdir/.Trash" is a sticky folder (not a link) and the user's folder in it is (or can be
    // made) a real folder owned by the user that nobody else may write to; else "$topdir/.Trash-$uid"
    // under the same conditions; else "" with EXDEV in `error`.
    static std::string mountTrashFolder(const std::string& topDirectory, uid_t user, int& error);

private:
    std::string trashFolderFor(const std::string& path, dev_t device, std::string& topDirectory,
                               int& error) const;

    std::string homeTrash_;
};

} // namespace zn
