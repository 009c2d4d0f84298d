#pragma once

#include "Models/Date.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <sys/types.h>
#include <vector>

namespace zn {

enum class FileType { regular, directory, symbolicLink, socket, other };

// What exists at a path once its symbolic links are followed.
struct FileExistence {
    bool exists = false;
    bool isDirectory = false;
};

// An item's own attributes: a symbolic link describes itself, not its target.
struct FileAttributes {
    FileType type = FileType::other;
    std::int64_t size = 0; // logical size in bytes
    std::optional<Date> modificationDate;
    std::optional<uid_t> owner;
    // When the entry itself last changed in any way; unlike the modification time, nobody can set it back.
    std::optional<Date> statusChangeDate;
};

struct AttributesReading {
    std::optional<FileAttributes> attributes; // none when they could not be read
    int errorCode = 0;                        // the errno of the failure
};

struct DirectoryListing {
    bool listed = false;
    int errorCode = 0;              // the errno of the failure
    std::vector<std::string> names; // raw readdir order, hidden names included, without "." and ".."
};

// What the folder-size walk saw of a tree.
struct DirectoryWalk {
    std::int64_t size = 0;
    // The newest modification time among the root and every entry the walk visited.
    std::optional<Date> newestModification;
    // The newest status-change time among them: a tree extracted with old dates is still new by this one.
    std::optional<Date> newestStatusChange;
    // Who owns the root and the entries the walk visited.
    std::set<uid_t> owners;
    // The walk met a socket: a live program may be listening on it.
    bool holdsSocket = false;
    // Every entry was visited and read: the walk was not cut short and no folder or entry was closed to it.
    bool complete = false;
};

// The text of an errno value, as shown in log lines ("Permission denied").
std::string fileErrorDescription(int errorCode);

// An entry at the path, a final link counting as itself, or a path that cannot be looked at: only a path
// known to name nothing is clear.
bool somethingRemainsAt(const std::string& path);

// The file facade the scanners read through. An interface so that tests can inject failures that a
// root-run test suite cannot produce with permissions. No operation throws.
class FileSystem {
public:
    // Folders are sized up to this many entries; a larger tree reports the sum of the first ones.
    static constexpr int kDirectorySizeEntryLimit = 10000;

    virtual ~FileSystem() = default;

    // stat(2): follows symbolic links, so a dangling link does not exist.
    virtual FileExistence fileExists(const std::string& path) const = 0;
    // access(2) with R_OK.
    virtual bool isReadable(const std::string& path) const = 0;
    // A regular file once links are followed, that access(2) with X_OK lets this process run. A folder
    // passes access(2) too, but cannot be started.
    virtual bool isExecutableFile(const std::string& path) const = 0;
    // lstat(2): never follows a final symbolic link.
    virtual AttributesReading attributesOfItem(const std::string& path) const = 0;
    // One level, unsorted. A symbolic link to a folder is listed as that folder, as opendir(3) does.
    virtual DirectoryListing contentsOfDirectory(const std::string& path) const = 0;
    // Sum of the logical sizes of the regular files in the tree at `path`: symbolic links are never
    // followed (the root included), hidden entries are skipped and hidden folders never entered (the root
    // itself is exempt), folders that cannot be opened are passed over, and the walk stops after
    // kDirectorySizeEntryLimit entries, files and folders alike. 0 when the root cannot be opened.
    virtual std::int64_t directorySize(const std::string& path) const = 0;
    // The same walk, also telling when anything it visited last changed, whose it is, whether it holds a
    // socket and whether it saw everything. It decides whether a whole folder may go, so hidden entries are
    // visited (and sized) too: they go with it.
    virtual DirectoryWalk walkDirectory(const std::string& path) const = 0;
};

// The real file system through POSIX calls.
class PosixFileSystem : public FileSystem {
public:
    FileExistence fileExists(const std::string& path) const override;
    bool isReadable(const std::string& path) const override;
    bool isExecutableFile(const std::string& path) const override;
    AttributesReading attributesOfItem(const std::string& path) const override;
    DirectoryListing contentsOfDirectory(const std::string& path) const override;
    std::int64_t directorySize(const std::string& path) const override;
    DirectoryWalk walkDirectory(const std::string& path) const override;

protected:
    // Every folder that is listed or walked is opened here: `name` relative to the open folder
    // `parentFd` (or AT_FDCWD), `path` its full path; a final symbolic link is followed only when
    // `followLink` is set. Returns the descriptor, or -1 with errno set.
    virtual int openDirectory(int parentFd, const char* name, const std::string& path, bool followLink) const;

private:
    // A walk judging removal also reads the status of every entry (a status call per folder and per entry
    // that is neither file nor folder) and enters hidden entries; a size walk does neither.
    DirectoryWalk walk(const std::string& path, bool judgingRemoval) const;
};

} // namespace zn
