#pragma once

#include "Platform/core/KeptEntry.h"
#include "Platform/core/PeopleAccounts.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace zn {

// The few directory-relative calls that permanent removal makes. A seam, so that tests (which run as root)
// can make any step fail with EACCES or EPERM. Every call returns 0 or an errno value.
class RemovalFileOperations {
public:
    struct EntryStatus {
        mode_t mode = 0;
        dev_t device = 0;
        uid_t owner = 0;
        bool isMountRoot = false; // the entry is where another file system (or a bind mount) is attached
        // Which mount the entry belongs to, where the system tells: it also tells apart two bind mounts of
        // one file system, which share a device number.
        std::optional<std::uint64_t> mountId;
    };

    virtual ~RemovalFileOperations() = default;
    // Opens a folder on the way to an item, only to go further from it: no read permission is needed
    // (a 0711 folder will do). Refuses to follow a symbolic link in `name` itself.
    virtual int openPathDirectory(int parentFd, const std::string& name, int& fd) = 0;
    // Opens a folder for reading its entries, refusing to follow a symbolic link in `name` itself.
    virtual int openDirectory(int parentFd, const std::string& name, int& fd) = 0;
    // Reads the entry without following a symbolic link.
    virtual int status(int parentFd, const std::string& name, EntryStatus& status) = 0;
    // The names in an open folder, without "." and "..".
    virtual int list(int directoryFd, std::vector<std::string>& names) = 0;
    // unlinkat(2): a file or link, or with `isDirectory` an empty folder.
    virtual int remove(int parentFd, const std::string& name, bool isDirectory) = 0;
    // Whether someone else may rename entries of their own over the names in the open folder
    // (othersMayReplaceEntriesIn).
    virtual int othersMayReplaceEntries(int folderFd, bool& mayReplace) = 0;
};

// openat with O_NOFOLLOW|O_DIRECTORY (and O_PATH on the way), statx with AT_SYMLINK_NOFOLLOW, readdir,
// unlinkat.
class SystemRemovalFileOperations : public RemovalFileOperations {
public:
    int openPathDirectory(int parentFd, const std::string& name, int& fd) override;
    int openDirectory(int parentFd, const std::string& name, int& fd) override;
    int status(int parentFd, const std::string& name, EntryStatus& status) override;
    int list(int directoryFd, std::vector<std::string>& names) override;
    int remove(int parentFd, const std::string& name, bool isDirectory) override;
    int othersMayReplaceEntries(int folderFd, bool& mayReplace) override;
};

struct RemovalResult {
    int errorNumber = 0;     // 0 when removed; EACCES and EPERM mean a lack of permission
    std::string description; // why it failed, in words
    // Set only when everything else went: what was met and kept for other people (the item itself, or
    // entries inside it, whose folders stayed with them), in the order met.
    std::vector<KeptEntry> keptEntries = {};

    bool succeeded() const { return errorNumber == 0; }
    bool keptEntriesOfOthers() const { return !keptEntries.empty(); }
};

// What a removal may touch beyond the path's own rules.
struct RemovalLimits {
    // Every entry must belong to this owner, each judged as it is met: the removal stops (EPERM) at the
    // first that does not, keeping it and the folders that lead to it.
    std::optional<uid_t> requiredOwner = std::nullopt;
    // A folder above the item, in the path's form: every folder below it on the way and the item itself
    // must lie on its mount, judged on the descriptors opened, or nothing goes (EXDEV).
    std::optional<std::string> allowedPlace = std::nullopt;
    // Entries these people own stay, each judged as it is met, with the folders that hold them; the rest
    // goes. Nothing is taken by name out of a folder others may rename into (othersMayReplaceEntriesIn):
    // it stays with all it holds, and an item lying directly in one stays whole. The result names each.
    std::optional<OtherPeople> keepEntriesOf = std::nullopt;
    // The machine's applications folder, in the path's form: an item that is, or lies in, the first real
    // bundle on its path below it (a "*.app" folder holding "Contents/Info.plist", judged on the folder the
    // walk opened) goes with whatever of other people it holds.
    std::optional<std::string> applicationsFolder = std::nullopt;
};

// Permanent removal of one path through file descriptors. The path is walked from "/" one folder at a time
// and a symbolic link met anywhere is never followed, so what goes is exactly what the path names, even if
// the tree changes meanwhile. Links inside a removed folder are removed as links; a folder that belongs
// to another mounted file system is never entered, and the removal then fails with EXDEV.
class SafeRemoval {
public:
    enum class Scope {
        wholeItem,       // a file, a link, or a folder with everything in it
        regularFileOnly, // a regular file; anything else is refused
    };

    explicit SafeRemoval(std::shared_ptr<RemovalFileOperations> operations);

    // `path` must be absolute and free of ".", ".." and empty components; "/" itself is refused.
    RemovalResult removeItem(const std::string& path, Scope scope, const RemovalLimits& limits = {}) const;

private:
    // `protectsOthers`: keepEntriesOf holds for this item; `mayBeBundle`: the item is the first folder on
    // its path in the applications folder named as a bundle, and holding a bundle's Info.plist frees it.
    RemovalResult removeFolder(int parentFd, const std::string& path,
                               const RemovalFileOperations::EntryStatus& top, const RemovalLimits& limits,
                               bool protectsOthers, bool mayBeBundle) const;
    // What keepEntriesOf keeps of an entry of the open folder `parentFd` met with `status`: the entry
    // itself when another person owns it, or when that folder lets others rename over its names.
    std::optional<KeptEntry> keptForOthers(int parentFd, const std::string& path,
                                           const RemovalFileOperations::EntryStatus& status,
                                           const RemovalLimits& limits, RemovalResult& failed) const;

    std::shared_ptr<RemovalFileOperations> operations_;
};

} // namespace zn
