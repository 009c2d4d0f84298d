#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <stop_token>
#include <string>

namespace zn {

struct TreeEntry {
    enum class Kind { file, folder, symlink, other, unreadable };
    std::string path;
    std::string name;
    Kind kind = Kind::other;
    int depth = 0;                   // 1 for the root's own entries
    std::int64_t size = 0;           // logical size
    std::int64_t allocatedBytes = 0; // st_blocks * 512
    std::time_t modified = 0;
    long modifiedNanoseconds = 0; // the fraction of the second `modified`
};

enum class WalkAction { proceed, skipDescendants, stop };

struct WalkOptions {
    // The root itself may be a symbolic link, walked where it leads.
    bool followRootLink = true;
    // Entries of another mount than the root's (another file system, or a bind mount of the same one)
    // are neither visited nor entered.
    bool stayOnRootMount = false;
};

// Walks the tree below `root` without following any symbolic link below it, visiting folders before
// their contents, each folder's entries in the order the file system lists them. Hidden entries (names
// starting with ".") are neither visited nor entered. Unreadable folders are reported as such and the walk
// goes on.
void walkTree(const std::string& root, const std::function<WalkAction(const TreeEntry&)>& visit,
              WalkOptions options = {});

// The allocated bytes of the regular files of that same walk; only those seen so far once `stop` is
// requested.
std::int64_t allocatedSizeOfTree(const std::string& root, std::stop_token stop = {},
                                 WalkOptions options = {});

} // namespace zn
