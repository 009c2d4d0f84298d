#include "Platform/core/EntriesOfOthers.h"

#include "Platform/core/AccessAcl.h"
#include "Platform/core/FolderRights.h"
#include "Platform/core/PathText.h"
#include "Platform/core/SafeRemoval.h"
#include "Platform/core/UniqueFd.h"

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace zn {

namespace {

// Nobody but the administrator could have put anything into the entry `name` of the open folder.
bool onlyTheAdministratorFills(const struct stat& folder, int parentFd, const std::string& name) {
    return folder.st_uid == 0 && !othersMayWriteTo(folder, [&] {
               return accessAclAt("/proc/self/fd/" + std::to_string(parentFd) + "/" + name, false);
           });
}

} // namespace

EntriesOfOthersSearch findEntryOfOthers(int folderFd, const std::string& name, const std::string& path,
                                        const OtherPeople& otherPeople) {
    // Depth first, one open folder per level, each read in full before its entries are looked at.
    struct Frame {
        UniqueFd fd;
        std::string path;
        std::vector<std::string> pending;
    };
    std::vector<Frame> stack;

    // Judges the entry `entryName` of the open folder `parentFd`, and opens and reads it when it is a
    // folder; what it found, or none to go on.
    auto visit = [&](int parentFd, const std::string& entryName,
                     std::string entryPath) -> std::optional<EntriesOfOthersSearch> {
        struct stat info;
        if (::fstatat(parentFd, entryName.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            return errno == ENOENT ? std::nullopt : std::optional(EntriesOfOthersSearch{{}, errno});
        if (otherPeople.own(info.st_uid))
            return EntriesOfOthersSearch{std::move(entryPath), 0};
        if (!S_ISDIR(info.st_mode))
            return std::nullopt;
        UniqueFd fd(::openat(parentFd, entryName.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        struct stat opened;
        std::vector<std::string> names;
        int error = 0;
        if (fd.get() < 0 || ::fstat(fd.get(), &opened) != 0)
            error = errno;
        // Judged again on what was opened: the entry may have been swapped since it was read.
        else if (otherPeople.own(opened.st_uid))
            return EntriesOfOthersSearch{std::move(entryPath), 0};
        else
            error = SystemRemovalFileOperations().list(fd.get(), names);
        if (error != 0)
            return onlyTheAdministratorFills(info, parentFd, entryName)
                       ? std::nullopt
                       : std::optional(EntriesOfOthersSearch{{}, error});
        stack.push_back({std::move(fd), std::move(entryPath), std::move(names)});
        return std::nullopt;
    };

    if (auto found = visit(folderFd, name, path))
        return *found;
    while (!stack.empty()) {
        if (stack.back().pending.empty()) {
            stack.pop_back();
            continue;
        }
        const std::string child = std::move(stack.back().pending.back());
        stack.back().pending.pop_back();
        const int parentFd = stack.back().fd.get();
        if (auto found = visit(parentFd, child, PathText::appendingPathComponent(stack.back().path, child)))
            return *found;
    }
    return {};
}

} // namespace zn
