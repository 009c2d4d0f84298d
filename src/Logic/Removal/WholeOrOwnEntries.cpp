#include "Logic/Removal/WholeOrOwnEntries.h"

#include "Logic/Scanning/DirectoryEntries.h"
#include "Platform/core/AccessAcl.h"
#include "Platform/core/FolderRights.h"
#include "Platform/core/MountRoot.h"
#include "Platform/core/PathText.h"

#include <fts.h>
#include <memory>
#include <sys/stat.h>

namespace zn {

bool mayGoWholeFor(const std::string& folder, uid_t user, const TopEntryTest& acceptsTopEntry,
                   const TopEntryTest& acceptsEveryEntry) {
    char* roots[] = {const_cast<char*>(folder.c_str()), nullptr};
    // Nothing followed, no other mount entered; a mount point inside is seen and refuses the whole.
    std::unique_ptr<FTS, int (*)(FTS*)> walk(
        ::fts_open(roots, FTS_PHYSICAL | FTS_NOCHDIR | FTS_XDEV, nullptr), ::fts_close);
    if (!walk)
        return false;
    dev_t device = 0;
    while (FTSENT* node = ::fts_read(walk.get())) {
        if (node->fts_info == FTS_DP)
            continue;
        // What cannot be looked at cannot be vouched for.
        if (node->fts_info == FTS_ERR || node->fts_info == FTS_NS || node->fts_info == FTS_DC)
            return false;
        const struct stat& info = *node->fts_statp;
        const auto othersMayWrite = [&] {
            return othersMayWriteTo(info, [&] { return accessAclAt(node->fts_accpath, false); });
        };
        if (node->fts_level == FTS_ROOTLEVEL)
            device = info.st_dev;
        // Another mount inside (a bind mount of the same file system too) is not part of the folder.
        if (info.st_dev != device || (node->fts_level > 0 && isMountRoot(node->fts_accpath)) ||
            isOtherUsersEntry(info.st_uid, user) || othersMayWrite())
            return false;
        // A folder closed to the user holds only the administrator's when only the administrator may put
        // anything there (a daemon's private folder among an installation's leftovers).
        if (node->fts_info == FTS_DNR && (info.st_uid != 0 || othersMayWrite()))
            return false;
        if (node->fts_level == 1 && !acceptsTopEntry(node->fts_path, node->fts_name, S_ISDIR(info.st_mode)))
            return false;
        if (node->fts_level > 0 && acceptsEveryEntry &&
            !acceptsEveryEntry(node->fts_path, node->fts_name, S_ISDIR(info.st_mode)))
            return false;
    }
    return true;
}

std::vector<InnerEntry> entriesOfferableInside(const std::string& folder, int depth, uid_t user) {
    std::vector<InnerEntry> entries;
    if (depth >= kMaxOwnEntryDepth || othersMayReplaceEntriesInFolderAt(folder))
        return entries;
    const bool othersMayWrite = othersMayWriteToFolderAt(folder, false);
    for (const std::string& name : directoryEntryNames(folder).value_or(std::vector<std::string>{})) {
        InnerEntry entry{PathText::appendingPathComponent(folder, name), name, {}};
        if (::lstat(entry.path.c_str(), &entry.info) != 0 || isOtherUsersEntry(entry.info.st_uid, user) ||
            (othersMayWrite && entry.info.st_uid != user))
            continue;
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace zn
