#include "Platform/core/FileSystem.h"

#include "Models/CleanableItem.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zn {

namespace {

FileType fileType(mode_t mode) {
    if (S_ISREG(mode))
        return FileType::regular;
    if (S_ISDIR(mode))
        return FileType::directory;
    if (S_ISLNK(mode))
        return FileType::symbolicLink;
    if (S_ISSOCK(mode))
        return FileType::socket;
    return FileType::other;
}

Date dateOf(const struct timespec& time) {
    return dateFromUnixTime(time.tv_sec, time.tv_nsec);
}

bool isHidden(const char* name) {
    return name[0] == '.';
}

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// One open folder of the walk and the length of its path in the shared path buffer.
struct WalkFrame {
    DIR* directory;
    std::size_t pathLength;
};

} // namespace

std::string fileErrorDescription(int errorCode) {
    return std::strerror(errorCode);
}

bool somethingRemainsAt(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

FileExistence PosixFileSystem::fileExists(const std::string& path) const {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return {};
    return {true, S_ISDIR(info.st_mode)};
}

bool PosixFileSystem::isReadable(const std::string& path) const {
    return ::access(path.c_str(), R_OK) == 0;
}

bool PosixFileSystem::isExecutableFile(const std::string& path) const {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

AttributesReading PosixFileSystem::attributesOfItem(const std::string& path) const {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0)
        return {std::nullopt, errno};
    return {FileAttributes{fileType(info.st_mode), static_cast<std::int64_t>(info.st_size),
                           dateOf(info.st_mtim), info.st_uid, dateOf(info.st_ctim)},
            0};
}

DirectoryListing PosixFileSystem::contentsOfDirectory(const std::string& path) const {
    DirectoryListing listing;
    int fd = openDirectory(AT_FDCWD, path.c_str(), path, true);
    if (fd < 0) {
        listing.errorCode = errno;
        return listing;
    }
    DIR* directory = ::fdopendir(fd);
    if (!directory) {
        listing.errorCode = errno;
        ::close(fd);
        return listing;
    }
    while (true) {
        errno = 0;
        const dirent* entry = ::readdir(directory);
        if (!entry)
            break;
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            listing.names.emplace_back(entry->d_name);
    }
    listing.errorCode = errno;
    ::closedir(directory);
    listing.listed = listing.errorCode == 0;
    if (!listing.listed)
        listing.names.clear();
    return listing;
}

std::int64_t PosixFileSystem::directorySize(const std::string& path) const {
    return walk(path, false).size;
}

DirectoryWalk PosixFileSystem::walkDirectory(const std::string& path) const {
    return walk(path, true);
}

// Depth-first, in readdir order, with one open folder per level. The entry type comes from readdir where
// the file system supplies it, so only regular files (and entries of unknown type) cost a stat call.
DirectoryWalk PosixFileSystem::walk(const std::string& path, bool judgingRemoval) const {
    DirectoryWalk result;
    int rootFd = openDirectory(AT_FDCWD, path.c_str(), path, false);
    if (rootFd < 0)
        return result;
    DIR* root = ::fdopendir(rootFd);
    if (!root) {
        ::close(rootFd);
        return result;
    }

    bool complete = true;
    auto noteLater = [](std::optional<Date>& newest, const struct timespec& time) {
        const Date date = dateOf(time);
        if (!newest || date > *newest)
            newest = date;
    };
    auto noteStatus = [&](const struct stat& info) {
        noteLater(result.newestModification, info.st_mtim);
        noteLater(result.newestStatusChange, info.st_ctim);
        result.owners.insert(info.st_uid);
        result.holdsSocket = result.holdsSocket || S_ISSOCK(info.st_mode);
    };
    // The status of an open folder, or of an entry by name; a failure leaves the walk incomplete.
    auto noteStatusOf = [&](int fd, const char* name) {
        struct stat info;
        if ((name ? ::fstatat(fd, name, &info, AT_SYMLINK_NOFOLLOW) : ::fstat(fd, &info)) != 0)
            complete = false;
        else
            noteStatus(info);
    };
    if (judgingRemoval)
        noteStatusOf(rootFd, nullptr);

    // Full paths are kept only for openDirectory; the walk itself goes by descriptors.
    std::string currentPath = path;
    while (!currentPath.empty() && currentPath.back() == '/')
        currentPath.pop_back();
    std::vector<WalkFrame> stack{{root, currentPath.size()}};
    int entries = 0;
    while (!stack.empty()) {
        WalkFrame& frame = stack.back();
        currentPath.resize(frame.pathLength);
        errno = 0;
        const dirent* entry = ::readdir(frame.directory);
        if (!entry) {
            complete = complete && errno == 0;
            ::closedir(frame.directory);
            stack.pop_back();
            continue;
        }
        // Hidden entries are left out of sizes, but a walk judging removal must see them: they go too.
        if (isHidden(entry->d_name) && (!judgingRemoval || isDotOrDotDot(entry->d_name)))
            continue;
        if (++entries > kDirectorySizeEntryLimit) {
            complete = false;
            break;
        }

        const int parentFd = ::dirfd(frame.directory);
        unsigned char type = entry->d_type;
        struct stat info;
        if (type == DT_UNKNOWN || type == DT_REG) {
            if (::fstatat(parentFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
                complete = false;
                continue;
            }
            if (judgingRemoval)
                noteStatus(info);
            type = S_ISREG(info.st_mode) ? DT_REG : S_ISDIR(info.st_mode) ? DT_DIR : DT_UNKNOWN;
        } else if (type != DT_DIR && judgingRemoval) {
            noteStatusOf(parentFd, entry->d_name);
        }
        if (type == DT_REG) {
            result.size = saturatingAdd(result.size, static_cast<std::int64_t>(info.st_size));
        } else if (type == DT_DIR) {
            currentPath.push_back('/');
            currentPath.append(entry->d_name);
            int childFd = openDirectory(parentFd, entry->d_name, currentPath, false);
            if (childFd < 0) {
                complete = false;
                continue;
            }
            DIR* child = ::fdopendir(childFd);
            if (!child) {
                complete = false;
                ::close(childFd);
                continue;
            }
            if (judgingRemoval)
                noteStatusOf(childFd, nullptr);
            stack.push_back({child, currentPath.size()});
        }
    }
    for (const WalkFrame& frame : stack)
        ::closedir(frame.directory);
    result.complete = complete;
    return result;
}

int PosixFileSystem::openDirectory(int parentFd, const char* name, const std::string&,
                                   bool followLink) const {
    int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
    return ::openat(parentFd, name, flags);
}

} // namespace zn
