#include "Platform/qt/Trash.h"
#include "Platform/core/WriteAll.h"

#include "Platform/core/FolderWithoutLinks.h"
#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"

#include <QByteArray>
#include <QDateTime>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zn {

namespace {

bool ensureFolder(const std::string& path, mode_t mode) {
    if (::mkdir(path.c_str(), mode) == 0)
        return true;
    struct stat info;
    return errno == EEXIST && ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool ensureFolderWithParents(const std::string& path) {
    if (path.empty() || path == "/")
        return true;
    struct stat info;
    if (::lstat(path.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    return ensureFolderWithParents(PathText::deletingLastPathComponent(path)) && ensureFolder(path, 0700);
}

// The device of the folder, or of its nearest existing ancestor when it does not exist yet.
dev_t deviceOf(std::string path) {
    struct stat info;
    while (::stat(path.c_str(), &info) != 0 && path != "/")
        path = PathText::deletingLastPathComponent(path);
    return info.st_dev;
}

bool ensureTrashFolders(const std::string& trash) {
    return ensureFolder(trash, 0700) && ensureFolder(trash + "/files", 0700) &&
           ensureFolder(trash + "/info", 0700);
}

// A folder the user alone can change: a real folder (not a link), owned by the user, with no write bit for
// the group or others.
bool isPrivateFolderOf(const std::string& path, uid_t user) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == user &&
           (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// The Trash folder is checked before anything is made inside it.
bool ensurePrivateTrashFolders(const std::string& trash, uid_t user) {
    return ensureFolder(trash, 0700) && isPrivateFolderOf(trash, user) &&
           ensureFolder(trash + "/files", 0700) && ensureFolder(trash + "/info", 0700);
}

// The top folder of the mount that holds `path`: the highest ancestor on the same device.
std::string mountTopDirectory(const std::string& path, dev_t device) {
    std::string current = PathText::deletingLastPathComponent(path);
    while (current != "/") {
        std::string parent = PathText::deletingLastPathComponent(current);
        struct stat info;
        if (::lstat(parent.c_str(), &info) != 0 || info.st_dev != device)
            break;
        current = parent;
    }
    return current;
}

// Percent-encodes the bytes as they are: a name that is not valid UTF-8 must still restore to itself.
std::string encodedPath(const std::string& path) {
    return QByteArray::fromStdString(path).toPercentEncoding("/").toStdString();
}

class UniqueFd {
public:
    UniqueFd() = default;
    ~UniqueFd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int& out() { return fd_; }
    int get() const { return fd_; }

private:
    int fd_ = -1;
};

// Opens a folder of the Trash for *at() calls, without following any link on its resolved path.
int openTrashFolder(const std::string& path, UniqueFd& fd) {
    const auto resolved = resolvedPathIfResolvable(path);
    if (!resolved)
        return ELOOP;
    return openFolderWithoutLinks(*resolved, fd.out());
}

std::string candidateName(const std::string& base, int attempt) {
    return attempt == 1 ? base : base + "." + std::to_string(attempt);
}

} // namespace

Trash::Trash(std::string homeTrash) : homeTrash_(std::move(homeTrash)) {
    if (homeTrash_.empty())
        homeTrash_ =
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString() + "/Trash";
}

std::string Trash::trashFolderFor(const std::string& path, dev_t device, std::string& topDirectory,
                                  int& error) const {
    if (deviceOf(homeTrash_) == device) {
        if (ensureFolderWithParents(PathText::deletingLastPathComponent(homeTrash_)) &&
            ensureTrashFolders(homeTrash_))
            return homeTrash_;
        error = errno ? errno : EIO;
        return {};
    }

    // Another file system: its own Trash at the top of the mount, never one reached through a link.
    topDirectory = mountTopDirectory(path, device);
    return mountTrashFolder(topDirectory, ::getuid(), error);
}

std::string Trash::mountTrashFolder(const std::string& topDirectory, uid_t user, int& error) {
    const std::string uid = std::to_string(user);
    const std::string shared = PathText::appendingPathComponent(topDirectory, ".Trash");
    struct stat sharedInfo;
    if (::lstat(shared.c_str(), &sharedInfo) == 0 && S_ISDIR(sharedInfo.st_mode) &&
        (sharedInfo.st_mode & S_ISVTX)) {
        // Anyone may create folders in the shared Trash, so one named after us need not be ours.
        std::string userTrash = shared + "/" + uid;
        if (ensurePrivateTrashFolders(userTrash, user))
            return userTrash;
    }
    std::string ownTrash = PathText::appendingPathComponent(topDirectory, ".Trash-" + uid);
    if (ensurePrivateTrashFolders(ownTrash, user))
        return ownTrash;
    error = EXDEV;
    return {};
}

Trash::Outcome Trash::moveToTrash(const std::string& path) const {
    Outcome outcome;
    const std::string name = PathText::lastPathComponent(path);
    if (path.empty() || path.front() != '/' || name == "/" || name == "." || name == "..") {
        outcome.errorNumber = EINVAL;
        return outcome;
    }
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0) {
        outcome.errorNumber = errno;
        return outcome;
    }

    // The item is moved from its folder's descriptor: a folder on the way swapped for a link after this
    // point cannot redirect the move.
    const auto parent = resolvedPathIfResolvable(PathText::deletingLastPathComponent(path));
    if (!parent) {
        outcome.errorNumber = ELOOP;
        return outcome;
    }
    UniqueFd parentFd;
    if (int error = openFolderWithoutLinks(*parent, parentFd.out())) {
        outcome.errorNumber = error;
        return outcome;
    }
    if (::fstatat(parentFd.get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        outcome.errorNumber = errno;
        return outcome;
    }
    const std::string location = PathText::appendingPathComponent(*parent, name);

    std::string topDirectory;
    int error = 0;
    const std::string trash = trashFolderFor(location, info.st_dev, topDirectory, error);
    if (trash.empty()) {
        outcome.errorNumber = error;
        return outcome;
    }
    UniqueFd filesFd, infoFd;
    if ((error = openTrashFolder(trash + "/files", filesFd)) ||
        (error = openTrashFolder(trash + "/info", infoFd))) {
        outcome.errorNumber = error;
        return outcome;
    }

    // Paths in a mount's own Trash are relative to the top of that mount.
    std::string recordedPath = location;
    if (!topDirectory.empty() && PathText::isStrictlyInside(location, topDirectory))
        recordedPath = location.substr(topDirectory == "/" ? 1 : topDirectory.size() + 1);
    const std::string contents =
        "[Trash Info]\nPath=" + encodedPath(recordedPath) +
        "\nDeletionDate=" + QDateTime::currentDateTime().toString("yyyy-MM-ddTHH:mm:ss").toStdString() + "\n";

    for (int attempt = 1; attempt < 10000; ++attempt) {
        const std::string candidate = candidateName(name, attempt);
        const std::string infoName = candidate + ".trashinfo";
        // The .trashinfo file reserves the name, so it is written before the move.
        int fd = ::openat(infoFd.get(), infoName.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            outcome.errorNumber = errno;
            return outcome;
        }
        const bool written = writeAll(fd, contents);
        ::close(fd);
        const int moveError =
            written ? renameWithoutReplacing(parentFd.get(), name, filesFd.get(), candidate) : EIO;
        if (moveError == 0) {
            outcome.moved = true;
            outcome.trashedPath = trash + "/files/" + candidate;
            return outcome;
        }
        ::unlinkat(infoFd.get(), infoName.c_str(), 0);
        if (moveError != EEXIST) {
            outcome.errorNumber = moveError;
            return outcome;
        }
    }
    outcome.errorNumber = EEXIST;
    return outcome;
}

} // namespace zn
