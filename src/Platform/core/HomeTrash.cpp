#include "Platform/core/HomeTrash.h"

#include "Platform/core/FolderRights.h"
#include "Platform/core/FolderWithoutLinks.h"
#include "Platform/core/HomeDirectory.h"
#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zn {

namespace {

// 0 when the entry `name` of the folder at `folder` is missing (the folder included), else an errno value
// (EEXIST when it is there). The folder is reached without following a link.
int entryIsMissing(const std::string& folder, const std::string& name) {
    UniqueFd folderFd;
    if (int error = openFolderWithoutLinks(folder, folderFd))
        return error == ENOENT ? 0 : error;
    struct stat info;
    if (::fstatat(folderFd.get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0)
        return EEXIST;
    return errno == ENOENT ? 0 : errno;
}

} // namespace

std::optional<std::string> dataHomeFromVariable(const char* value) {
    if (!value || value[0] != '/')
        return std::nullopt;
    return std::string(value);
}

const std::optional<std::string>& currentDataHomeVariable() {
    static const std::optional<std::string> value = dataHomeFromVariable(std::getenv("XDG_DATA_HOME"));
    return value;
}

HomeTrash::HomeTrash(const std::string& home, const std::optional<std::string>& dataHome)
    : folder_(
          PathText::standardizingPath(dataHome ? *dataHome + "/Trash" : home + "/.local/share/Trash", home)),
      files_(folder_ + "/files"), info_(folder_ + "/info") {}

HomeTrash HomeTrash::ofCurrentUser() {
    return HomeTrash(currentUserHomeDirectory(), currentDataHomeVariable());
}

bool HomeTrash::isReachedWithoutLinks() const {
    return resolvedPathIfResolvable(files_) == files_;
}

bool HomeTrash::isPrivateTo(uid_t user) const {
    UniqueFd trash;
    if (openFolderWithoutLinks(folder_, trash) != 0 || !isPrivateFolderOf(trash.get(), user))
        return false;
    for (const char* name : {"files", "info"}) {
        const UniqueFd inner(::openat(trash.get(), name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (inner.get() < 0 ? errno != ENOENT : !isPrivateFolderOf(inner.get(), user))
            return false;
    }
    return true;
}

bool HomeTrash::holdsEntry(const std::string& path) const {
    return path.size() > files_.size() + 1 && PathText::isStrictlyInside(path, files_) &&
           path.find('/', files_.size() + 1) == std::string::npos;
}

int HomeTrash::forgetRemovedEntry(const std::string& name) const {
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
        name.find('\0') != std::string::npos)
        return EINVAL;
    if (int missing = entryIsMissing(files_, name))
        return missing;

    UniqueFd info;
    if (int error = openFolderWithoutLinks(info_, info))
        return error == ENOENT ? 0 : error;
    const std::string record = name + ".trashinfo";
    struct stat status;
    if (::fstatat(info.get(), record.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? 0 : errno;
    if (!S_ISREG(status.st_mode))
        return EPERM;
    // Swapped for a folder meanwhile, the record is refused here; swapped for a link, the link goes.
    if (::unlinkat(info.get(), record.c_str(), 0) != 0)
        return errno == ENOENT ? 0 : errno;
    return 0;
}

} // namespace zn
