#include "support/RenamingOverNames.h"

#include <fcntl.h>
#include <fstream>
#include <stdexcept>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zn::test {

namespace {

// Acts with another user's file-system ids on this thread alone; root's powers over permissions go with
// its file-system user id, and come back with it.
class ScopedFileSystemIds {
public:
    ScopedFileSystemIds(uid_t user, gid_t group)
        : previousUser_(static_cast<uid_t>(::setfsuid(user))),
          previousGroup_(static_cast<gid_t>(::setfsgid(group))) {}
    ~ScopedFileSystemIds() {
        ::setfsgid(previousGroup_);
        ::setfsuid(previousUser_);
    }
    ScopedFileSystemIds(const ScopedFileSystemIds&) = delete;
    ScopedFileSystemIds& operator=(const ScopedFileSystemIds&) = delete;

private:
    uid_t previousUser_;
    gid_t previousGroup_;
};

} // namespace

RenamingOverNames::RenamingOverNames(const std::string& folder, std::string stash, uid_t person, gid_t group)
    : stash_(std::move(stash)), person_(person), group_(group) {
    struct stat info;
    if (::stat(folder.c_str(), &info) != 0)
        throw std::runtime_error("no folder " + folder);
    device_ = info.st_dev;
    inode_ = info.st_ino;
}

int RenamingOverNames::status(int parentFd, const std::string& name, EntryStatus& status) {
    const int error = SystemRemovalFileOperations::status(parentFd, name, status);
    struct stat folder;
    if (error != 0 || name == "." || ::fstat(parentFd, &folder) != 0 || folder.st_dev != device_ ||
        folder.st_ino != inode_)
        return error;
    const std::string theirs = stash_ + "/" + std::to_string(next_);
    ScopedFileSystemIds asThePerson(person_, group_);
    if (::renameat(AT_FDCWD, theirs.c_str(), parentFd, name.c_str()) == 0) {
        ++renamed_;
        ++next_;
    }
    return error;
}

void RenamingOverNames::makeStash(const std::string& stash, int count, uid_t person, gid_t group) {
    ::mkdir(stash.c_str(), 0755);
    if (::chown(stash.c_str(), person, group) != 0)
        throw std::runtime_error("cannot hand " + stash + " over");
    for (int i = 0; i < count; ++i) {
        const std::string file = stash + "/" + std::to_string(i);
        std::ofstream(file) << "theirs";
        if (::chown(file.c_str(), person, group) != 0)
            throw std::runtime_error("cannot hand " + file + " over");
    }
}

} // namespace zn::test
