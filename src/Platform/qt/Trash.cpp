#include "Platform/qt/Trash.h"

#include "Logic/Utilities/Logger.h"
#include "Platform/core/EntriesOfOthers.h"
#include "Platform/core/FolderRights.h"
#include "Platform/core/FolderWithoutLinks.h"
#include "Platform/core/HomeTrash.h"
#include "Platform/core/MountRoot.h"
#include "Platform/core/PathText.h"
#include "Platform/core/WriteAll.h"

#include <QByteArray>
#include <QDateTime>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zn {

namespace {

// Makes the folder unless it is there; 0 or an errno value (ENOTDIR when something else is there).
int ensureFolder(const std::string& path, mode_t mode) {
    if (::mkdir(path.c_str(), mode) == 0)
        return 0;
    if (errno != EEXIST)
        return errno;
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0)
        return errno;
    return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

int ensureFolderWithParents(const std::string& path) {
    if (path.empty() || path == "/")
        return 0;
    struct stat info;
    if (::lstat(path.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
    if (errno != ENOENT)
        return errno;
    if (int error = ensureFolderWithParents(PathText::deletingLastPathComponent(path)))
        return error;
    return ensureFolder(path, 0700);
}

// The device of the folder, or of its nearest existing ancestor when it does not exist yet.
dev_t deviceOf(std::string path) {
    struct stat info;
    while (::stat(path.c_str(), &info) != 0 && path != "/")
        path = PathText::deletingLastPathComponent(path);
    return info.st_dev;
}

// Makes the folder `name` in the open folder `parentFd` unless it is there, then opens it as a base for
// *at() calls without following a link.
int openFolderAt(int parentFd, const std::string& name, UniqueFd& folder) {
    if (::mkdirat(parentFd, name.c_str(), 0700) != 0 && errno != EEXIST)
        return errno;
    const int fd = ::openat(parentFd, name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return errno;
    folder = UniqueFd(fd);
    return 0;
}

// As openFolderAt, for a folder the user alone can change (EPERM when anyone else can).
int openPrivateFolderAt(int parentFd, const std::string& name, uid_t user, UniqueFd& folder) {
    if (int error = openFolderAt(parentFd, name, folder))
        return error;
    return isPrivateFolderOf(folder.get(), user) ? 0 : EPERM;
}

// The user's own Trash `name` in the open folder `parentFd`, made when missing, with its "files" and
// "info": each must be the user's alone, since whoever else may change one could take or swap what lands
// there. Each is checked before anything is made inside it. Sets `error` when there is none.
std::optional<Trash::Folders> openPrivateTrash(int parentFd, const std::string& name, std::string path,
                                               uid_t user, int& error) {
    UniqueFd trash;
    Trash::Folders folders{std::move(path), UniqueFd(), UniqueFd()};
    if ((error = openPrivateFolderAt(parentFd, name, user, trash)) ||
        (error = openPrivateFolderAt(trash.get(), "files", user, folders.files)) ||
        (error = openPrivateFolderAt(trash.get(), "info", user, folders.info)))
        return std::nullopt;
    return folders;
}

// The top folder of the mount that holds the entry at `path`, on `device`: the highest of it and its
// ancestors on that device. Looked for from the entry itself, whose parent may lie on another mount.
std::string mountTopDirectory(const std::string& path, dev_t device) {
    std::string current = path;
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

bool isPermissionFailure(int error) {
    return error == EACCES || error == EPERM;
}

// Whether this process may add entries to the open folder: when it may, a refused move was refused by the
// item's own folder (or by the item, a folder that must change its "..").
bool admitsNewEntries(int folderFd) {
    return ::faccessat(folderFd, ".", W_OK | X_OK, AT_EACCESS) == 0;
}

std::string candidateName(const std::string& base, int attempt) {
    return attempt == 1 ? base : base + "." + std::to_string(attempt);
}

} // namespace

Trash::Trash(std::string homeTrash, std::optional<PersonUidRange> people)
    : homeTrash_(std::move(homeTrash)),
      otherPeople_(::getuid(), people.value_or(PersonUidRange::fromLoginDefinitions())) {
    if (homeTrash_.empty())
        homeTrash_ = HomeTrash::ofCurrentUser().folder();
}

std::optional<Trash::Folders> Trash::trashFor(const std::string& path, dev_t device,
                                              std::string& topDirectory, int& error) const {
    if (deviceOf(homeTrash_) == device) {
        // Its folder is opened from the path as written, without following any link: a Trash that is a
        // link, or lies behind one (a linked ~/.local), is somewhere else and is never filled, as the
        // Trash category never lists it. Nor is one that is not the user's alone (a data home of
        // another user's).
        const std::string dataHome = PathText::deletingLastPathComponent(homeTrash_);
        UniqueFd dataHomeFd;
        if ((error = ensureFolderWithParents(dataHome)) ||
            (error = openFolderWithoutLinks(dataHome, dataHomeFd)))
            return std::nullopt;
        return openPrivateTrash(dataHomeFd.get(), PathText::lastPathComponent(homeTrash_), homeTrash_,
                                ::getuid(), error);
    }

    // Another file system: its own Trash at the top of the mount, never one reached through a link. An
    // entry that is that top would have to move into itself.
    topDirectory = mountTopDirectory(path, device);
    if (topDirectory == path) {
        error = EBUSY;
        return std::nullopt;
    }
    return openMountTrash(topDirectory, ::getuid(), error);
}

std::optional<Trash::Folders> Trash::openMountTrash(const std::string& topDirectory, uid_t user, int& error) {
    UniqueFd top;
    if (int failed = openFolderWithoutLinks(topDirectory, top)) {
        error = failed;
        return std::nullopt;
    }
    const std::string uid = std::to_string(user);
    const UniqueFd shared(::openat(top.get(), ".Trash", O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat sharedInfo;
    if (shared.get() >= 0 && ::fstat(shared.get(), &sharedInfo) == 0 && (sharedInfo.st_mode & S_ISVTX)) {
        // Anyone may create folders in the shared Trash, so one named after us need not be ours.
        const std::string userTrash = PathText::appendingPathComponent(topDirectory, ".Trash/" + uid);
        if (auto folders = openPrivateTrash(shared.get(), uid, userTrash, user, error))
            return folders;
    }
    const std::string ownName = ".Trash-" + uid;
    if (auto folders = openPrivateTrash(top.get(), ownName,
                                        PathText::appendingPathComponent(topDirectory, ownName), user, error))
        return folders;
    error = EXDEV;
    return std::nullopt;
}

Trash::Outcome Trash::moveToTrash(const std::string& path, EntriesOfOthers others) const {
    Outcome outcome;
    const std::string name = PathText::lastPathComponent(path);
    if (path.empty() || path.front() != '/' || name == "/" || name == "." || name == "..") {
        outcome.errorNumber = EINVAL;
        return outcome;
    }

    // The item is moved from its folder's descriptor, opened from the path as written: a folder on the
    // way that is, or becomes, a link cannot redirect the move.
    UniqueFd parentFd;
    if (int error = openFolderWithoutLinks(PathText::deletingLastPathComponent(path), parentFd)) {
        outcome.errorNumber = error;
        return outcome;
    }
    struct stat info;
    if (::fstatat(parentFd.get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        outcome.errorNumber = errno;
        return outcome;
    }
    // The item's own folder decides first: when it does not let the user take the entry out, that is the
    // item's failure (one for the administrator pass), whatever the state of the Trash.
    if (int refusal = refusalToTakeEntryFrom(parentFd.get(), info)) {
        outcome.errorNumber = refusal;
        return outcome;
    }
    // Where another file system is mounted nothing moves, and the Trash of that file system lies inside.
    if (S_ISDIR(info.st_mode) && isMountRoot(path.c_str())) {
        outcome.errorNumber = EBUSY;
        return outcome;
    }

    auto trashFailure = [&outcome](int error) {
        outcome.errorNumber = error;
        outcome.trashFailed = true;
        return outcome;
    };
    auto keptFor = [&](std::string entry) {
        trashFailure(EPERM);
        outcome.keptEntry = std::move(entry);
        return outcome;
    };
    if (others == EntriesOfOthers::refuseMove) {
        const EntriesOfOthersSearch search = findEntryOfOthers(parentFd.get(), name, path, otherPeople_);
        if (!search.firstEntry.empty())
            return keptFor(search.firstEntry);
        if (search.error != 0) {
            outcome.errorNumber = search.error;
            return outcome;
        }
    }
    std::string topDirectory;
    int error = 0;
    const auto trash = trashFor(path, info.st_dev, topDirectory, error);
    if (!trash)
        return trashFailure(error);

    // Paths in a mount's own Trash are relative to the top of that mount.
    std::string recordedPath = path;
    if (!topDirectory.empty() && PathText::isStrictlyInside(path, topDirectory))
        recordedPath = path.substr(topDirectory == "/" ? 1 : topDirectory.size() + 1);
    const std::string contents =
        "[Trash Info]\nPath=" + encodedPath(recordedPath) +
        "\nDeletionDate=" + QDateTime::currentDateTime().toString("yyyy-MM-ddTHH:mm:ss").toStdString() + "\n";

    for (int attempt = 1; attempt < 10000; ++attempt) {
        const std::string candidate = candidateName(name, attempt);
        const std::string infoName = candidate + ".trashinfo";
        // The .trashinfo file reserves the name, so it is written before the move.
        int fd = ::openat(trash->info.get(), infoName.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return trashFailure(errno);
        }
        const bool written = writeAll(fd, contents);
        ::close(fd);
        const int moveError =
            written ? renameWithoutReplacing(parentFd.get(), name, trash->files.get(), candidate) : EIO;
        if (moveError == 0) {
            // In the Trash nobody else can add to it: this look is the last word. An entry another person
            // added since the first look sends it back.
            if (others == EntriesOfOthers::refuseMove) {
                const auto entry =
                    findEntryOfOthers(trash->files.get(), candidate, path, otherPeople_).firstEntry;
                if (!entry.empty()) {
                    if (renameWithoutReplacing(trash->files.get(), candidate, parentFd.get(), name) == 0) {
                        ::unlinkat(trash->info.get(), infoName.c_str(), 0);
                        return keptFor(entry);
                    }
                    // Its name was taken meanwhile: it stays in the Trash, from where it can be put back.
                    Logger::shared().log("Moved " + path + " to the Trash, though it holds " + entry +
                                             " of another user: its place was taken before it could go back",
                                         LogLevel::error, "moveToTrash(_:)");
                }
            }
            outcome.moved = true;
            outcome.trashedPath = trash->path + "/files/" + candidate;
            return outcome;
        }
        ::unlinkat(trash->info.get(), infoName.c_str(), 0);
        // A refused move is the item's folder's doing only when the Trash would have taken the entry.
        if (!written || (isPermissionFailure(moveError) && !admitsNewEntries(trash->files.get())))
            return trashFailure(moveError);
        if (moveError != EEXIST) {
            outcome.errorNumber = moveError;
            return outcome;
        }
    }
    return trashFailure(EEXIST);
}

} // namespace zn
