#include "Platform/core/SafeRemoval.h"

#include "Platform/core/BundleFolder.h"
#include "Platform/core/FolderRights.h"
#include "Platform/core/PathText.h"
#include "Platform/core/UniqueFd.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <utility>

namespace zn {

namespace {

RemovalResult failure(int errorNumber, std::string description = {}) {
    if (description.empty())
        description = std::strerror(errorNumber);
    return {errorNumber, std::move(description)};
}

// Same device, and the same mount where the system names mounts: a bind mount of the same file system
// shares the device number.
bool onSameMount(const RemovalFileOperations::EntryStatus& entry,
                 const RemovalFileOperations::EntryStatus& other) {
    if (entry.device != other.device)
        return false;
    return !entry.mountId || !other.mountId || *entry.mountId == *other.mountId;
}

RemovalResult mountFailure() {
    return failure(EXDEV, "It holds another mounted file system, which is left untouched");
}

bool belongsToAnother(const RemovalFileOperations::EntryStatus& entry, std::optional<uid_t> requiredOwner) {
    return requiredOwner && entry.owner != *requiredOwner;
}

bool isOwnedByOthers(const RemovalFileOperations::EntryStatus& entry, const RemovalLimits& limits) {
    return limits.keepEntriesOf && limits.keepEntriesOf->own(entry.owner);
}

// Everything else went; what stays for other people stays, and the folders that hold it.
RemovalResult kept(std::vector<KeptEntry> entries) {
    std::string description = keptEntryText(entries.front());
    if (entries.size() > 1)
        description += " (and " + std::to_string(entries.size() - 1) + " more)";
    return {ENOTEMPTY, std::move(description), std::move(entries)};
}

// The components of an absolute path with no empty, "." or ".." component and no trailing "/".
bool splitCanonical(const std::string& path, std::vector<std::string>& parts) {
    if (path.size() < 2 || path.front() != '/' || path.back() == '/' || path.find('\0') != std::string::npos)
        return false;
    std::size_t start = 1;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        std::string part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == "..")
            return false;
        parts.push_back(std::move(part));
        start = end + 1;
    }
    return true;
}

// The index among `parts` of the first component inside `applicationsFolder` named as a bundle; npos when
// there is none (or no such folder).
std::size_t firstBundleComponent(const std::vector<std::string>& parts,
                                 const std::optional<std::string>& applicationsFolder) {
    std::vector<std::string> folderParts;
    if (!applicationsFolder || !splitCanonical(*applicationsFolder, folderParts) ||
        folderParts.size() >= parts.size() ||
        !std::equal(folderParts.begin(), folderParts.end(), parts.begin()))
        return std::string::npos;
    for (std::size_t index = folderParts.size(); index < parts.size(); ++index)
        if (hasApplicationBundleName(parts[index]))
            return index;
    return std::string::npos;
}

} // namespace

int SystemRemovalFileOperations::openPathDirectory(int parentFd, const std::string& name, int& fd) {
    fd = ::openat(parentFd, name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    return fd < 0 ? errno : 0;
}

int SystemRemovalFileOperations::openDirectory(int parentFd, const std::string& name, int& fd) {
    fd = ::openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    return fd < 0 ? errno : 0;
}

int SystemRemovalFileOperations::status(int parentFd, const std::string& name, EntryStatus& status) {
    struct statx extended;
    if (::statx(parentFd, name.c_str(), AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
                STATX_TYPE | STATX_MODE | STATX_UID | STATX_MNT_ID, &extended) == 0) {
        status.mode = extended.stx_mode;
        status.device = makedev(extended.stx_dev_major, extended.stx_dev_minor);
        status.owner = extended.stx_uid;
        status.isMountRoot = (extended.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0 &&
                             (extended.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
        if (extended.stx_mask & STATX_MNT_ID)
            status.mountId = extended.stx_mnt_id;
        else
            status.mountId.reset();
        return 0;
    }
    if (errno != ENOSYS)
        return errno;
    struct stat basic;
    if (::fstatat(parentFd, name.c_str(), &basic, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    status.mode = basic.st_mode;
    status.device = basic.st_dev;
    status.owner = basic.st_uid;
    status.isMountRoot = false; // without statx only a change of device shows a mount
    status.mountId.reset();
    return 0;
}

int SystemRemovalFileOperations::list(int directoryFd, std::vector<std::string>& names) {
    int own = ::dup(directoryFd);
    if (own < 0)
        return errno;
    DIR* directory = ::fdopendir(own);
    if (!directory) {
        int error = errno;
        ::close(own);
        return error;
    }
    ::rewinddir(directory);
    int error = 0;
    while (true) {
        errno = 0;
        struct dirent* entry = ::readdir(directory);
        if (!entry) {
            error = errno;
            break;
        }
        std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(std::move(name));
    }
    ::closedir(directory);
    return error;
}

int SystemRemovalFileOperations::remove(int parentFd, const std::string& name, bool isDirectory) {
    return ::unlinkat(parentFd, name.c_str(), isDirectory ? AT_REMOVEDIR : 0) == 0 ? 0 : errno;
}

int SystemRemovalFileOperations::othersMayReplaceEntries(int folderFd, bool& mayReplace) {
    struct stat info;
    if (::fstat(folderFd, &info) != 0)
        return errno;
    mayReplace = othersMayReplaceEntriesIn(folderFd);
    return 0;
}

SafeRemoval::SafeRemoval(std::shared_ptr<RemovalFileOperations> operations)
    : operations_(std::move(operations)) {}

RemovalResult SafeRemoval::removeItem(const std::string& path, Scope scope,
                                      const RemovalLimits& limits) const {
    std::vector<std::string> parts;
    if (!splitCanonical(path, parts))
        return failure(EINVAL, "Not an absolute, standardised path");
    std::vector<std::string> placeParts;
    const auto& allowedPlace = limits.allowedPlace;
    if (allowedPlace && (!splitCanonical(*allowedPlace, placeParts) || placeParts.size() > parts.size() ||
                         !std::equal(placeParts.begin(), placeParts.end(), parts.begin())))
        return failure(EINVAL, "It is not inside the place it may be removed from");
    const std::size_t bundleDepth = firstBundleComponent(parts, limits.applicationsFolder);
    const std::string name = parts.back();
    parts.pop_back();

    bool protectsOthers = limits.keepEntriesOf.has_value();
    int fd = -1;
    if (int error = operations_->openPathDirectory(AT_FDCWD, "/", fd))
        return failure(error);
    UniqueFd parent(fd);
    // The allowed place's mount, once the walk has opened the place.
    std::optional<RemovalFileOperations::EntryStatus> placeMount;
    for (std::size_t depth = 0; depth < parts.size(); ++depth) {
        if (int error = operations_->openPathDirectory(parent.get(), parts[depth], fd)) {
            RemovalFileOperations::EntryStatus status;
            if ((error == ENOTDIR || error == ELOOP) &&
                operations_->status(parent.get(), parts[depth], status) == 0 && S_ISLNK(status.mode))
                return failure(ELOOP, "A folder on its path is a symbolic link");
            return failure(error);
        }
        parent = UniqueFd(fd);
        // The bundle is judged on the folder the walk goes on from.
        if (depth == bundleDepth && holdsBundleInfo(parent.get()))
            protectsOthers = false;
        if (!allowedPlace || depth + 1 < placeParts.size())
            continue;
        // Read on the descriptor just opened, so the folder judged is the one the walk goes on from.
        RemovalFileOperations::EntryStatus folder;
        if (int error = operations_->status(parent.get(), ".", folder))
            return failure(error);
        if (!placeMount)
            placeMount = folder;
        else if (folder.isMountRoot || !onSameMount(folder, *placeMount))
            return failure(EXDEV, "A folder on its path lies on another mount, which is left untouched");
    }

    RemovalFileOperations::EntryStatus target;
    if (int error = operations_->status(parent.get(), name, target))
        return failure(error);
    if (placeMount && (target.isMountRoot || !onSameMount(target, *placeMount)))
        return failure(EXDEV, "It lies on another mount, which is left untouched");

    if (scope == Scope::regularFileOnly && !S_ISREG(target.mode))
        return failure(EINVAL, "It is not a regular file");
    if (belongsToAnother(target, limits.requiredOwner))
        return failure(EPERM, "It belongs to another user");
    // A folder that may be a bundle is judged once it is open.
    const bool mayBeBundle = protectsOthers && bundleDepth == parts.size() && S_ISDIR(target.mode);
    if (protectsOthers && !mayBeBundle) {
        RemovalResult failed;
        if (auto keep = keptForOthers(parent.get(), path, target, limits, failed))
            return kept({std::move(*keep)});
        if (!failed.succeeded())
            return failed;
    }
    if (!S_ISDIR(target.mode)) {
        int error = operations_->remove(parent.get(), name, false);
        return error ? failure(error) : RemovalResult{};
    }

    RemovalFileOperations::EntryStatus container;
    if (int error = operations_->status(parent.get(), ".", container))
        return failure(error);
    if (target.isMountRoot || !onSameMount(target, container))
        return failure(EXDEV, "It is a mount point, which is left untouched");
    return removeFolder(parent.get(), path, target, limits, protectsOthers, mayBeBundle);
}

std::optional<KeptEntry> SafeRemoval::keptForOthers(int parentFd, const std::string& path,
                                                    const RemovalFileOperations::EntryStatus& status,
                                                    const RemovalLimits& limits,
                                                    RemovalResult& failed) const {
    if (isOwnedByOthers(status, limits))
        return KeptEntry{path, KeptBecause::belongsToAnotherUser};
    bool mayReplace = true;
    if (int error = operations_->othersMayReplaceEntries(parentFd, mayReplace)) {
        failed = failure(error);
        return std::nullopt;
    }
    if (mayReplace)
        return KeptEntry{path, KeptBecause::inFolderOfOtherUsers};
    return std::nullopt;
}

// Depth-first and bottom-up with an explicit stack of open folders, so deep trees cannot exhaust the call
// stack; each folder is read in full before anything in it goes, so removal cannot disturb the listing.
RemovalResult SafeRemoval::removeFolder(int parentFd, const std::string& path,
                                        const RemovalFileOperations::EntryStatus& top,
                                        const RemovalLimits& limits, bool protectsOthers,
                                        bool mayBeBundle) const {
    struct Frame {
        UniqueFd fd;
        std::string path;
        std::vector<std::string> pending;
        bool holdsKeptEntry = false;
    };
    std::vector<Frame> stack;
    std::vector<KeptEntry> keptEntries;

    auto keep = [&](KeptEntry entry) {
        keptEntries.push_back(std::move(entry));
        if (!stack.empty())
            stack.back().holdsKeptEntry = true;
    };

    // Opens the folder and reads its entries; false with `failed` set when that fails, false alone when
    // the folder turned out to be one to keep.
    auto enter = [&](int containerFd, const std::string& folderPath, RemovalResult& failed) -> bool {
        int fd = -1;
        if (int error =
                operations_->openDirectory(containerFd, PathText::lastPathComponent(folderPath), fd)) {
            failed = failure(error);
            return false;
        }
        UniqueFd opened(fd);
        // Checked again on the open descriptor: the entry may have been swapped since it was read.
        RemovalFileOperations::EntryStatus status;
        if (int error = operations_->status(fd, ".", status)) {
            failed = failure(error);
            return false;
        }
        if (status.isMountRoot || !onSameMount(status, top)) {
            failed = mountFailure();
            return false;
        }
        if (belongsToAnother(status, limits.requiredOwner)) {
            failed = failure(EPERM, "It holds an entry of another user");
            return false;
        }
        if (stack.empty() && mayBeBundle) {
            protectsOthers = !holdsBundleInfo(fd);
            if (protectsOthers) {
                if (auto kept = keptForOthers(containerFd, folderPath, status, limits, failed)) {
                    keep(std::move(*kept));
                    return false;
                }
                if (!failed.succeeded())
                    return false;
            }
        } else if (protectsOthers && isOwnedByOthers(status, limits)) {
            keep({folderPath, KeptBecause::belongsToAnotherUser});
            return false;
        }
        if (protectsOthers) {
            bool mayReplace = true;
            if (int error = operations_->othersMayReplaceEntries(fd, mayReplace)) {
                failed = failure(error);
                return false;
            }
            if (mayReplace) {
                keep({folderPath, KeptBecause::sharedWithOtherUsers});
                return false;
            }
        }
        std::vector<std::string> names;
        if (int error = operations_->list(fd, names)) {
            failed = failure(error);
            return false;
        }
        stack.push_back({std::move(opened), folderPath, std::move(names)});
        return true;
    };

    RemovalResult failed;
    if (!enter(parentFd, path, failed) && !failed.succeeded())
        return failed;
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.pending.empty()) {
            const bool holdsKeptEntry = frame.holdsKeptEntry;
            const std::string finished = PathText::lastPathComponent(frame.path);
            stack.pop_back();
            // A folder holding what was kept stays, and so does every folder above it.
            if (holdsKeptEntry) {
                if (!stack.empty())
                    stack.back().holdsKeptEntry = true;
                continue;
            }
            int containerFd = stack.empty() ? parentFd : stack.back().fd.get();
            if (int error = operations_->remove(containerFd, finished, true))
                return failure(error);
            continue;
        }
        const int folderFd = frame.fd.get();
        std::string child = std::move(frame.pending.back());
        frame.pending.pop_back();

        RemovalFileOperations::EntryStatus status;
        int error = operations_->status(folderFd, child, status);
        if (error == ENOENT)
            continue; // went away on its own
        if (error)
            return failure(error);
        if (belongsToAnother(status, limits.requiredOwner))
            return failure(EPERM, "It holds an entry of another user");
        const std::string childPath = PathText::appendingPathComponent(frame.path, child);
        if (protectsOthers && isOwnedByOthers(status, limits)) {
            keep({childPath, KeptBecause::belongsToAnotherUser});
            continue;
        }
        if (S_ISDIR(status.mode)) {
            if (status.isMountRoot || !onSameMount(status, top))
                return mountFailure();
            if (!enter(folderFd, childPath, failed) && !failed.succeeded())
                return failed;
            continue;
        }
        error = operations_->remove(folderFd, child, false);
        if (error && error != ENOENT)
            return failure(error);
    }
    if (!keptEntries.empty())
        return kept(std::move(keptEntries));
    return {};
}

} // namespace zn
