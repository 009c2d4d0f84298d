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
        // An application bundle of the machine's applications folder is the machine's, whoever installed it:
        // when the item is a real bundle (a folder named "*.app" holding "Contents/Info.plist", judged on
        // the entry that moved, once it lies in the Trash) it goes as it is; anything else as refuseMove.
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

    // Moves the entry that the absolute, standardised `path` names, as written: the folder that holds it is
    // opened from "/" one folder at a time without following a link (a link on the way fails with ENOTDIR
    // or ELOOP) and is never looked up again, so the entry that moves is the one the path named even if
    // the tree changes meanwhile. A final symbolic link is trashed as the link itself; nothing already in
    // the Trash is ever replaced. When that folder does not let the user take the entry out, the move
    // fails with its EACCES or EPERM as the item's own failure, whatever the state of the Trash. The home
    // Trash, its "files" and its "info" must each be a folder of the user's alone, as on other mounts. An
    // item that is, or holds, another person's entry is looked for before the move and again once it lies
    // in the Trash, where nobody else can add to it: found then, it is put back, beside its old name under
    // a free one if that was taken meanwhile, and the move fails naming that entry where it now lies. A
    // folder that cannot be looked through fails with its errno as the item's own failure. An item where
    // its own file system is mounted cannot move and fails with EBUSY, with no Trash made. A name too long
    // for a Trash record is shortened there; the record keeps the path as it was.
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
    // shared "$topdir/.Trash" is a sticky folder (not a link) and the user's folder in it, with its "files"
    // and "info", is (or can be made) a real folder owned by the user that nobody else may write to; else
    // "$topdir/.Trash-$uid" under the same conditions; else none with EXDEV in `error`. Each folder is
    // opened relative to the one that holds it, without following a link, and checked on its descriptor:
    // whoever owns the shared folder may swap what it holds at any moment, and no path is ever looked up
    // again.
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
