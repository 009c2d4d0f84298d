#include "Platform/core/TreeWalk.h"

#include "Models/CleanableItem.h"
#include "Platform/core/MountRoot.h"

#include <fts.h>
#include <sys/stat.h>

namespace zn {

namespace {

TreeEntry::Kind kindOf(const FTSENT* node) {
    switch (node->fts_info) {
    case FTS_F:
        return TreeEntry::Kind::file;
    case FTS_D:
        return TreeEntry::Kind::folder;
    case FTS_SL:
    case FTS_SLNONE:
        return TreeEntry::Kind::symlink;
    case FTS_DNR:
    case FTS_ERR:
    case FTS_NS:
        return TreeEntry::Kind::unreadable;
    default:
        return TreeEntry::Kind::other;
    }
}

bool leavesRootMount(const FTSENT* node, dev_t rootDevice) {
    if (node->fts_info == FTS_NS || node->fts_info == FTS_ERR)
        return false; // nothing is known of it, and nothing below it is read
    return node->fts_statp->st_dev != rootDevice || isMountRoot(node->fts_accpath);
}

} // namespace

void walkTree(const std::string& root, const std::function<WalkAction(const TreeEntry&)>& visit,
              WalkOptions options) {
    char* roots[] = {const_cast<char*>(root.c_str()), nullptr};
    // FTS_COMFOLLOW: the root may be reached through a link; nothing below it is followed.
    FTS* walk =
        ::fts_open(roots, FTS_PHYSICAL | FTS_NOCHDIR | (options.followRootLink ? FTS_COMFOLLOW : 0), nullptr);
    if (!walk)
        return;
    dev_t rootDevice = 0;
    while (FTSENT* node = ::fts_read(walk)) {
        if (node->fts_level == FTS_ROOTLEVEL) {
            rootDevice = node->fts_statp->st_dev;
            continue;
        }
        if (node->fts_info == FTS_DP || node->fts_info == FTS_DC)
            continue;
        if (node->fts_name[0] == '.' || (options.stayOnRootMount && leavesRootMount(node, rootDevice))) {
            ::fts_set(walk, node, FTS_SKIP);
            continue;
        }
        TreeEntry entry;
        entry.path = node->fts_path;
        entry.name = node->fts_name;
        entry.kind = kindOf(node);
        entry.depth = node->fts_level;
        if (node->fts_statp && entry.kind != TreeEntry::Kind::unreadable) {
            entry.size = node->fts_statp->st_size;
            entry.allocatedBytes = static_cast<std::int64_t>(node->fts_statp->st_blocks) * 512;
            entry.modified = node->fts_statp->st_mtim.tv_sec;
            entry.modifiedNanoseconds = node->fts_statp->st_mtim.tv_nsec;
        }
        WalkAction action = visit(entry);
        if (action == WalkAction::stop)
            break;
        if (action == WalkAction::skipDescendants)
            ::fts_set(walk, node, FTS_SKIP);
    }
    ::fts_close(walk);
}

std::int64_t allocatedSizeOfTree(const std::string& root, std::stop_token stop, WalkOptions options) {
    std::int64_t total = 0;
    walkTree(
        root,
        [&](const TreeEntry& entry) {
            if (stop.stop_requested())
                return WalkAction::stop;
            if (entry.kind == TreeEntry::Kind::file)
                total = saturatingAdd(total, entry.allocatedBytes);
            return WalkAction::proceed;
        },
        options);
    return total;
}

} // namespace zn
