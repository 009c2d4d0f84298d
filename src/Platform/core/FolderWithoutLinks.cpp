#include "Platform/core/FolderWithoutLinks.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace zn {

int openFolderWithoutLinks(const std::string& path, UniqueFd& folder) {
    if (path.empty() || path.front() != '/' || (path.size() > 1 && path.back() == '/') ||
        path.find('\0') != std::string::npos)
        return EINVAL;
    UniqueFd current(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (current.get() < 0)
        return errno;
    std::size_t start = 1;
    while (start < path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == "..")
            return EINVAL;
        UniqueFd next(::openat(current.get(), part.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (next.get() < 0)
            return errno; // a link on the way gives ENOTDIR (O_DIRECTORY) or ELOOP
        current = std::move(next);
        start = end + 1;
    }
    folder = std::move(current);
    return 0;
}

int linkThenUnlink(int fromFolderFd, const std::string& fromName, int toFolderFd, const std::string& toName) {
    if (::linkat(fromFolderFd, fromName.c_str(), toFolderFd, toName.c_str(), 0) != 0)
        return errno;
    if (::unlinkat(fromFolderFd, fromName.c_str(), 0) != 0) {
        const int error = errno;
        ::unlinkat(toFolderFd, toName.c_str(), 0);
        return error;
    }
    return 0;
}

int renameWithoutReplacing(int fromFolderFd, const std::string& fromName, int toFolderFd,
                           const std::string& toName) {
    if (::renameat2(fromFolderFd, fromName.c_str(), toFolderFd, toName.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    const int error = errno;
    if (error != EINVAL && error != ENOSYS)
        return error;
    struct stat info;
    if (::fstatat(fromFolderFd, fromName.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    if (S_ISDIR(info.st_mode))
        return EOPNOTSUPP;
    return linkThenUnlink(fromFolderFd, fromName, toFolderFd, toName);
}

} // namespace zn
