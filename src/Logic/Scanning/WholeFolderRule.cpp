#include "Logic/Scanning/WholeFolderRule.h"

#include "Logic/Scanning/DirectoryEntries.h"
#include "Logic/Scanning/StringNormalization.h"
#include "Logic/Scanning/WordedKey.h"
#include "Platform/core/FolderRights.h"
#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"

#include <algorithm>
#include <sys/stat.h>

namespace zn {

namespace {

bool isDirectoryFollowingLinks(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The view settings the file manager leaves in any folder it shows belong to that folder.
bool isFolderViewSettings(const std::string& name) {
    return name == ".DS_Store";
}

} // namespace

WholeFolderRule::WholeFolderRule(const AppMatcher& matcher, const OtherInstalledApps& otherApps,
                                 const ProtectedPlaces& protectedPlaces, const RemovalPolicy& removal,
                                 std::string chosenBundle, SkipTest isKept)
    : matcher_(matcher), otherApps_(otherApps), protectedPlaces_(protectedPlaces), removal_(removal),
      chosenBundle_(std::move(chosenBundle)), isKept_(std::move(isKept)) {}

void WholeFolderRule::offer(const std::string& path, Found found, std::vector<std::string>& offered) const {
    // Where others may rename entries of their own over its name, it cannot go by that name.
    if (!othersMayReplaceEntriesInFolderAt(PathText::deletingLastPathComponent(path)))
        offer(path, 0, found, offered);
}

void WholeFolderRule::offer(const std::string& path, int depth, Found found,
                            std::vector<std::string>& offered) const {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !removal_.mayOfferEntryOf(info.st_uid) ||
        otherApps_.isInBundle(path) || protectedPlaces_.isOrHoldsOne(resolvingSymlinksInPath(path)))
        return;
    const bool isDirectory = S_ISDIR(info.st_mode);
    const WordedKey entry =
        entryWords(PathText::lastPathComponent(path), isDirectory || isDirectoryFollowingLinks(path));
    const std::size_t ownLongest = matcher_.longestFormIn(entry);
    const auto claim = otherApps_.claim(entry, ownLongest);
    if (claim == OtherInstalledApps::Claim::theirs)
        return;
    if (!isDirectory) {
        if (claim == OtherInstalledApps::Claim::none)
            offered.push_back(path);
    } else if (claim == OtherInstalledApps::Claim::none && !otherApps_.holdsBundle(path) &&
               !isSharedWithAChannel(path, entry.key()) &&
               (found == Found::itself || holdsOnlyOwnEntries(path, depth)) && mayGoWhole(path, ownLongest)) {
        offered.push_back(path);
    } else {
        offerOwnEntries(path, depth, offered);
    }
}

bool WholeFolderRule::holdsOnlyOwnEntries(const std::string& folder, int depth) const {
    const auto names = directoryEntryNames(folder);
    if (!names)
        return false;
    for (const std::string& name : *names) {
        const std::string path = PathText::appendingPathComponent(folder, name);
        if (path == chosenBundle_)
            continue;
        struct stat info;
        if (::lstat(path.c_str(), &info) != 0)
            return false;
        const WordedKey entry = entryWords(name, S_ISDIR(info.st_mode) || isDirectoryFollowingLinks(path));
        if (!matcher_.matches(entry) || isKept_(entry.key(), path))
            return false;
        std::vector<std::string> own;
        offer(path, depth + 1, Found::itself, own);
        if (own != std::vector<std::string>{path})
            return false;
    }
    return true;
}

bool WholeFolderRule::isKept(const std::string& path, const std::string& name, bool isDirectory) const {
    return !isFolderViewSettings(name) && isKept_(normalizedForMatching(entryStem(name, isDirectory)), path);
}

bool WholeFolderRule::mayGoWhole(const std::string& folder, std::size_t ownLongest) const {
    // Inside this application's folder, an entry is another's only when named as it, more closely than the
    // folder is after this one ("Firefox Nightly/Firefox Crash Reports" stays Nightly's), or when it is a
    // folder a channel shares.
    return removal_.mayOfferWhole(
        folder,
        [&](const std::string& path, const std::string& name, bool isDirectory) {
            const WordedKey entry = entryWords(name, isDirectory);
            return !otherApps_.namesAnother(entry.key(),
                                            std::max(ownLongest, matcher_.longestFormIn(entry))) &&
                   !(isDirectory && isSharedWithAChannel(path, entry.key()));
        },
        [&](const std::string& path, const std::string& name, bool isDirectory) {
            return !isKept(path, name, isDirectory);
        });
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
    std::vector<WordedKey> foldersBeside;
    for (const std::string& besideName : directoryEntryNames(parent).value_or(std::vector<std::string>{})) {
        struct stat info;
        if (besideName != name &&
            ::lstat(PathText::appendingPathComponent(parent, besideName).c_str(), &info) == 0 &&
            S_ISDIR(info.st_mode))
            foldersBeside.push_back(entryWords(besideName, true));
    }
    return std::any_of(sharing.begin(), sharing.end(), [&](const OtherInstalledApps::Channel* channel) {
        return std::none_of(foldersBeside.begin(), foldersBeside.end(), [&](const WordedKey& beside) {
            return channel->longestFormIn(beside.key()) > matcher_.longestFormIn(beside);
        });
    });
}

void WholeFolderRule::offerOwnEntries(const std::string& folder, int depth,
                                      std::vector<std::string>& offered) const {
    for (const InnerEntry& inner : removal_.entriesOfferableInside(folder, depth)) {
        const WordedKey entry =
            entryWords(inner.name, S_ISDIR(inner.info.st_mode) || isDirectoryFollowingLinks(inner.path));
        if (inner.path != chosenBundle_ && matcher_.matches(entry) && !isKept_(entry.key(), inner.path))
            offer(inner.path, depth + 1, Found::itself, offered);
    }
}

} // namespace zn
