#pragma once

#include <optional>
#include <string>
#include <sys/types.h>

namespace zn {

// $XDG_DATA_HOME as the XDG base directory rules take it: an absolute path, else none (unset, empty and
// relative values are ignored).
std::optional<std::string> dataHomeFromVariable(const char* value);
// This process's $XDG_DATA_HOME taken so, read once.
const std::optional<std::string>& currentDataHomeVariable();

// The desktop's home Trash (freedesktop.org Trash specification): "<data home>/Trash", the data home being
// `dataHome` when given, else home + "/.local/share". Trashed items lie in its "files" folder, each with a
// record "<name>.trashinfo" in its "info" folder. The one place that says where the program's Trash is:
// the Trash move fills it, the Trash category lists and empties its "files" folder, the leftover finder
// leaves it alone.
class HomeTrash {
public:
    HomeTrash(const std::string& home, const std::optional<std::string>& dataHome);
    // The current user's: the home folder with its links resolved, and this process's $XDG_DATA_HOME.
    static HomeTrash ofCurrentUser();

    // Standardised paths, without a trailing "/".
    const std::string& folder() const { return folder_; }
    const std::string& filesFolder() const { return files_; }
    const std::string& infoFolder() const { return info_; }

    // True when the path of the "files" folder names it without a symbolic link anywhere, its own name
    // included. A Trash that is a link, or lies behind one, is somewhere else and is not offered.
    bool isReachedWithoutLinks() const;
    // True when the Trash folder is there, reached without a link, and it, its "files" and its "info"
    // (those that are there) are real folders of `user` alone: owned by `user`, with no write bit for the
    // group or others. A Trash anyone else may change is not the user's to list or empty.
    bool isPrivateTo(uid_t user) const;
    // True when `path` (as text) names an entry directly in the "files" folder.
    bool holdsEntry(const std::string& path) const;

    // Removes the record of the entry `name` once that entry is gone from "files". The record goes only
    // as a regular file, in an "info" folder reached from "/" without following a link; a missing record
    // is no error. 0, or an errno value: EEXIST when the entry is still there, EINVAL for a name that is
    // not one entry's, EPERM when the record is not a regular file.
    int forgetRemovedEntry(const std::string& name) const;

private:
    std::string folder_;
    std::string files_;
    std::string info_;
};

} // namespace zn
