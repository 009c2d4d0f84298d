#include "Logic/Scanning/WholeFolderRule.h"

#include "Logic/Scanning/DirectoryEntries.h"
#include "Logic/Scanning/StringNormalization.h"
#include "Logic/Scanning/WordedKey.h"
#include "Platform/core/MountRoot.h"
#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"

#include <algorithm>
#include <fts.h>
#include <memory>
#include <sys/stat.h>

namespace zn {

namespace {

// Own entries inside folders that cannot go whole are looked for this many levels down; deeper, what a
// folder holds is rarely named after anything.
constexpr int kMaxOwnEntryDepth = 4;

bool othersMayWrite(const struct stat& info) {
    return S_ISDIR(info.st_mode) && (info.st_mode & S_IWOTH) != 0;
}

bool isDirectoryFollowingLinks(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

WholeFolderRule::WholeFolderRule(const AppMatcher& matcher, const OtherInstalledApps& otherApps,
                                 const ProtectedPlaces& protectedPlaces, uid_t user, SkipTest isSkipped)
    : matcher_(matcher), otherApps_(otherApps), protectedPlaces_(protectedPlaces), user_(user),
      isSkipped_(std::move(isSkipped)) {}

void WholeFolderRule::offer(const std::string& path, std::vector<std::string>& offered) const {
    offer(path, 0, offered);
}

// The administrator's own entries are the system's leftovers of an installation, which the administrator
// pass is there for; any other owner's are not the user's to remove.
bool WholeFolderRule::isOtherUsers(uid_t owner) const {
    return owner != user_ && owner != 0;
}

void WholeFolderRule::offer(const std::string& path, int depth, std::vector<std::string>& offered) const {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || isOtherUsers(info.st_uid) || otherApps_.isInBundle(path) ||
        protectedPlaces_.isOrHoldsOne(resolvingSymlinksInPath(path)))
        return;
    const bool isDirectory = S_ISDIR(info.st_mode);
    const std::string name = PathText::lastPathComponent(path);
    const WordedKey entry(entryStem(name, isDirectory || isDirectoryFollowingLinks(path)));
    const std::size_t ownLongest = matcher_.longestFormIn(entry.key());
    const auto claim = otherApps_.claim(entry, ownLongest);
    if (claim == OtherInstalledApps::Claim::theirs)
        return;
    if (!isDirectory) {
        if (claim == OtherInstalledApps::Claim::none)
            offered.push_back(path);
    } else if (claim == OtherInstalledApps::Claim::none && !otherApps_.holdsBundle(path) &&
               !isSharedWithAChannel(path, entry.key()) && mayGoWhole(path, ownLongest)) {
        offered.push_back(path);
    } else {
        offerOwnEntries(path, depth, offered);
    }
}

bool WholeFolderRule::mayGoWhole(const std::string& folder, std::size_t ownLongest) const {
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
        if (node->fts_level == FTS_ROOTLEVEL)
            device = info.st_dev;
        // Another mount inside (a bind mount of the same file system too) is not part of the folder.
        if (info.st_dev != device || (node->fts_level > 0 && isMountRoot(node->fts_accpath)) ||
            isOtherUsers(info.st_uid) || othersMayWrite(info))
            return false;
        // A folder closed to the user holds only the administrator's when only the administrator may put
        // anything there (a daemon's private folder among an installation's leftovers).
        if (node->fts_info == FTS_DNR && (info.st_uid != 0 || (info.st_mode & (S_IWGRP | S_IWOTH)) != 0))
            return false;
        // Inside this application's folder, an entry is another's only when named as it, more closely than
        // the folder is after this one ("Firefox Nightly/Firefox Crash Reports" stays Nightly's), or when it
        // is a folder a channel shares.
        if (node->fts_level == 1) {
            const std::string key = entryKey(node->fts_name, S_ISDIR(info.st_mode));
            if (otherApps_.namesAnother(key, std::max(ownLongest, matcher_.longestFormIn(key))) ||
                (S_ISDIR(info.st_mode) && isSharedWithAChannel(node->fts_path, key)))
                return false;
        }
    }
    return true;
}

bool WholeFolderRule::isSharedWithAChannel(const std::string& folder, const std::string& key) const {
    std::vector<const OtherInstalledApps::Channel*> sharing;
    for (const OtherInstalledApps::Channel& channel : otherApps_.channels())
        if (channel.sharesName(key))
            sharing.push_back(&channel);
    if (sharing.empty())
        return false;
    // A folder of the channel's own is one named after it more closely than after this application
    // ("Chrome Canary" beside "Chrome"); a link leads elsewhere and is none.
    const std::string parent = PathText::deletingLastPathComponent(folder);
    const std::string name = PathText::lastPathComponent(folder);
    std::vector<std::string> keysBeside;
    for (const std::string& besideName : directoryEntryNames(parent).value_or(std::vector<std::string>{})) {
        struct stat info;
        if (besideName != name &&
            ::lstat(PathText::appendingPathComponent(parent, besideName).c_str(), &info) == 0 &&
            S_ISDIR(info.st_mode))
            keysBeside.push_back(entryKey(besideName, true));
    }
    return std::any_of(sharing.begin(), sharing.end(), [&](const OtherInstalledApps::Channel* channel) {
        return std::none_of(keysBeside.begin(), keysBeside.end(), [&](const std::string& beside) {
            return channel->longestFormIn(beside) > matcher_.longestFormIn(beside);
        });
    });
}

void WholeFolderRule::offerOwnEntries(const std::string& folder, int depth,
                                      std::vector<std::string>& offered) const {
    if (depth >= kMaxOwnEntryDepth)
        return;
    struct stat folderInfo;
    if (::lstat(folder.c_str(), &folderInfo) != 0)
        return;
    for (const std::string& name : directoryEntryNames(folder).value_or(std::vector<std::string>{})) {
        const std::string path = PathText::appendingPathComponent(folder, name);
        struct stat info;
        if (::lstat(path.c_str(), &info) != 0)
            continue;
        // Where anyone may put entries, their names say nothing of who made them.
        if (othersMayWrite(folderInfo) && info.st_uid != user_)
            continue;
        const std::string key = entryKey(name, S_ISDIR(info.st_mode) || isDirectoryFollowingLinks(path));
        if (matcher_.matches(key) && !isSkipped_(key, path))
            offer(path, depth + 1, offered);
    }
}

} // namespace zn
