#pragma once

#include "Platform/core/PeopleAccounts.h"
#include "Platform/core/UniqueFd.h"

#include <functional>
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
        // folder on its way was missing: only a look at the item tells.
        int errorNumber = 0;
        std::string trashedPath;
        // The Trash itself failed (its folders could not be made or opened, or refused the item or its
        // .trashinfo): the item was not the problem, and another way of removing it is no answer.
        bool trashFailed = false;
        // The move was refused, as a failure of the Trash, because the item is or holds this entry of
        // another user: nothing of it moved.
        std::string keptEntry = {};
    };

    // Whether a move may take entries of other people along.
    enum class EntriesOfOthers {
        refuseMove, // an item that is, or holds, one stays where it is
        // A real application bundle (a folder named "*.app" holding "Contents/Info.plist", judged once it
        // lies in the Trash) moves as it is; anything else as refuseMove.
        moveAlongWithBundle,
    };

    // How an entry moves from one open folder to another, never over an existing one: 0 or an errno value.
    using Mover = std::function<int(int fromFolderFd, const std::string& fromName, int toFolderFd,
                                    const std::string& toName)>;

    // `homeTrash` is the home Trash folder; empty means the current user's (HomeTrash::ofCurrentUser).
    // `people` says who counts as a person (the system's login.defs when none): the entries of those other
    // than this process's user are never moved (see EntriesOfOthers). `mover` moves entries in and out
    // (renameWithoutReplacing when none); tests let another person act around it.
    explicit Trash(std::string homeTrash = {}, std::optional<People> people = std::nullopt, Mover mover = {});

    // Moves the entry the absolute, standardised `path` names, as written (no link followed on the way; a
    // final link moves as the link), into the Trash of its file system, never replacing anything there. The
    // Outcome says why it did not: the entry's own folder refused (EACCES, EPERM), the Trash failed, or the
    // entry is or holds one of another person (see EntriesOfOthers); a mount point fails with EBUSY.
    Outcome moveToTrash(const std::string& path, EntriesOfOthers others = EntriesOfOthers::refuseMove) const;

    const std::string& homeTrash() const { return homeTrash_; }

    // A Trash, open: its path, and its "files" and "info" folders, which are used only through their
    // descriptors.
    struct Folders {
        std::string path;
        UniqueFd files;
        UniqueFd info;
    };

    // The Trash of `user` on the mount whose top folder is `topDirectory`: "$topdir/.Trash/$uid" when the
    // shared "$topdir/.Trash" is a sticky folder, else "$topdir/.Trash-$uid", each with its "files" and
    // "info" made if missing and used only as real folders of the user's alone, opened without following a
    // link and checked on their descriptors; else none, with EXDEV in `error`.
    static std::optional<Folders> openMountTrash(const std::string& topDirectory, uid_t user, int& error);

private:
    Outcome putBack(const Folders& trash, const std::string& candidate, const std::string& infoName,
                    int parentFd, const std::string& path, const std::string& entry, Outcome& outcome) const;
    std::optional<Folders> trashFor(const std::string& path, dev_t device, std::string& topDirectory,
                                    int& error) const;

    std::string homeTrash_;
    OtherPeople otherPeople_;
    Mover mover_;
};

} // namespace zn
