#include "Platform/qt/Trash.h"

#include "Platform/core/PathText.h"

#include <QByteArray>
#include <QDateTime>
#include <QStandardPaths>
#include <QUrl>
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

std::string encodedPath(const std::string& path) {
    return QUrl::toPercentEncoding(QString::fromStdString(path), "/").toStdString();
}

bool writeAll(int fd, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        ssize_t count = ::write(fd, text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        written += static_cast<std::size_t>(count);
    }
    return true;
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
    const std::string uid = std::to_string(::getuid());
    const std::string shared = PathText::appendingPathComponent(topDirectory, ".Trash");
    struct stat sharedInfo;
    if (::lstat(shared.c_str(), &sharedInfo) == 0 && S_ISDIR(sharedInfo.st_mode) &&
        (sharedInfo.st_mode & S_ISVTX)) {
        std::string userTrash = shared + "/" + uid;
        if (ensureTrashFolders(userTrash))
            return userTrash;
    }
    std::string ownTrash = PathText::appendingPathComponent(topDirectory, ".Trash-" + uid);
    if (ensureTrashFolders(ownTrash)) {
        struct stat ownInfo;
        if (::lstat(ownTrash.c_str(), &ownInfo) == 0 && ownInfo.st_uid == ::getuid())
            return ownTrash;
    }
    error = EXDEV;
    return {};
}

Trash::Outcome Trash::moveToTrash(const std::string& path) const {
    Outcome outcome;
    struct stat info;
    if (path.empty() || path.front() != '/') {
        outcome.errorNumber = EINVAL;
        return outcome;
    }
    if (::lstat(path.c_str(), &info) != 0) {
        outcome.errorNumber = errno;
        return outcome;
    }

    std::string topDirectory;
    int error = 0;
    const std::string trash = trashFolderFor(path, info.st_dev, topDirectory, error);
    if (trash.empty()) {
        outcome.errorNumber = error;
        return outcome;
    }

    // Paths in a mount's own Trash are relative to the top of that mount.
    std::string recordedPath = path;
    if (!topDirectory.empty() && PathText::isStrictlyInside(path, topDirectory))
        recordedPath = path.substr(topDirectory == "/" ? 1 : topDirectory.size() + 1);
    const std::string contents =
        "[Trash Info]\nPath=" + encodedPath(recordedPath) +
        "\nDeletionDate=" + QDateTime::currentDateTime().toString("yyyy-MM-ddTHH:mm:ss").toStdString() + "\n";

    const std::string base = PathText::lastPathComponent(path);
    for (int attempt = 1; attempt < 10000; ++attempt) {
        const std::string name = candidateName(base, attempt);
        const std::string infoPath = trash + "/info/" + name + ".trashinfo";
        const std::string target = trash + "/files/" + name;
        // The .trashinfo file reserves the name; it is written before the move, as the specification asks.
        int fd = ::open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            outcome.errorNumber = errno;
            return outcome;
        }
        struct stat existing;
        if (::lstat(target.c_str(), &existing) == 0) {
            ::close(fd);
            ::unlink(infoPath.c_str());
            continue;
        }
        const bool written = writeAll(fd, contents);
        ::close(fd);
        if (!written || ::rename(path.c_str(), target.c_str()) != 0) {
            outcome.errorNumber = written ? errno : EIO;
            ::unlink(infoPath.c_str());
            return outcome;
        }
        outcome.moved = true;
        outcome.trashedPath = target;
        return outcome;
    }
    outcome.errorNumber = EEXIST;
    return outcome;
}

} // namespace zn
