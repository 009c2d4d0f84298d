#include "Platform/core/Trash.h"

#include "Platform/core/BundleFolder.h"
#include "Platform/core/EntriesOfOthers.h"
#include "Platform/core/FolderRights.h"
#include "Platform/core/FolderWithoutLinks.h"
#include "Platform/core/HomeTrash.h"
#include "Platform/core/MountRoot.h"
#include "Platform/core/PathText.h"
#include "Platform/core/TrashEntryName.h"
#include "Platform/core/WriteAll.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <ctime>
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

// Percent-encodes the bytes as they are, all but the unreserved characters and "/": a name that is not
// valid UTF-8 must still restore to itself.
std::string encodedPath(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) != 0 && byte < 0x80)
            encoded.push_back(c);
        else if (c == '-' || c == '.' || c == '_' || c == '~' || c == '/')
            encoded.push_back(c);
        else
            encoded.append({'%', kHex[byte >> 4], kHex[byte & 0x0F]});
    }
    return encoded;
}

// The local time in the form the Trash's records use: "2026-12-09T22:42:20".
std::string deletionDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    return std::string(text, std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local));
}

bool isPermissionFailure(int error) {
    return error == EACCES || error == EPERM;
}

// Whether this process may add entries to the open folder: when it may, a refused move was refused by the
// item's own folder (or by the item, a folder that must change its "..").
bool admitsNewEntries(int folderFd) {
    return ::faccessat(folderFd, ".", W_OK | X_OK, AT_EACCESS) == 0;
}

// Whether the entry `name` of the open folder is an application bundle, no link followed.
bool holdsBundleInfoAt(int folderFd, const std::string& name) {
    const UniqueFd entry(::openat(folderFd, name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    return entry.get() >= 0 && holdsBundleInfo(entry.get());
}

} // namespace

Trash::Trash(std::string homeTrash, std::optional<People> people, Mover mover)
    : homeTrash_(std::move(homeTrash)),
      otherPeople_(::getuid(), people.value_or(People::fromLoginDefinitions())),
      mover_(mover ? std::move(mover) : Mover(renameWithoutReplacing)) {
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
    const bool mayBeBundle =
        others == EntriesOfOthers::moveAlongWithBundle && holdsBundleInfoAt(parentFd.get(), name);
    if (!mayBeBundle) {
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
        "\nDeletionDate=" + deletionDate() + "\n";

    for (int attempt = 1; attempt < 10000; ++attempt) {
        const std::string candidate = numberedEntryName(name, attempt, kTrashEntryNameLimit);
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
        const int moveError = written ? mover_(parentFd.get(), name, trash->files.get(), candidate) : EIO;
        if (moveError == 0) {
            // In the Trash nobody else can add to it: this look is the last word. An entry another person
            // added since the first look, or one swapped in for a bundle, sends it back.
            const bool isBundle = mayBeBundle && holdsBundleInfoAt(trash->files.get(), candidate);
            const std::string entry =
                isBundle ? std::string()
                         : findEntryOfOthers(trash->files.get(), candidate, path, otherPeople_).firstEntry;
            if (!entry.empty())
                return putBack(*trash, candidate, infoName, parentFd.get(), path, entry, outcome);
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

// Sends the item `candidate` of the Trash back into its folder, under its own name or, when that was taken
// meanwhile, a free one beside it. Either way the move failed, naming the entry of another user where it
// now lies; only when it cannot go back at all does it stay in the Trash, with its record, to be put back
// from there.
Trash::Outcome Trash::putBack(const Folders& trash, const std::string& candidate, const std::string& infoName,
                              int parentFd, const std::string& path, const std::string& entry,
                              Outcome& outcome) const {
    outcome.trashFailed = true;
    outcome.errorNumber = EPERM;
    const std::string name = PathText::lastPathComponent(path);
    const std::string folder = PathText::deletingLastPathComponent(path);
    for (int attempt = 1; attempt < 10000; ++attempt) {
        const std::string freeName = numberedEntryName(name, attempt, NAME_MAX);
        const int error = mover_(trash.files.get(), candidate, parentFd, freeName);
        if (error == EEXIST)
            continue;
        if (error != 0)
            break;
        ::unlinkat(trash.info.get(), infoName.c_str(), 0);
        const std::string restored = PathText::appendingPathComponent(folder, freeName);
        outcome.keptEntry = restored + entry.substr(path.size());
        return outcome;
    }
    outcome.keptEntry = trash.path + "/files/" + candidate + entry.substr(path.size());
    return outcome;
}

} // namespace zn
