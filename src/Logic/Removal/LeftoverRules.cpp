#include "Logic/Removal/LeftoverRules.h"

#include "Logic/Scanning/DirectoryEntries.h"
#include "Logic/Scanning/Locations.h"
#include "Logic/Removal/WholeOrOwnEntries.h"
#include "Platform/core/FileSystem.h"
#include "Platform/core/FolderRights.h"
#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"

#include <sys/stat.h>
#include <unistd.h>

namespace zn {

namespace {

// The entry's own owner: a link counts as the link.
bool isOwnedBy(const std::string& path, uid_t user) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 && info.st_uid == user;
}

} // namespace

LeftoverRules::LeftoverRules(const std::string& home, uid_t user, const std::string& systemRoot,
                             SystemCleaningFolders folders, People people)
    : policy_(home, systemRoot),
      // A home whose links cannot all be resolved decides nothing: all of /tmp then counts as shared.
      cleaning_(resolvedPathIfResolvable(home).value_or(""), user, std::move(folders)),
      removal_(user, people) {}

std::shared_ptr<const LeftoverRules> LeftoverRules::currentUser() {
    static const auto rules = std::make_shared<const LeftoverRules>(home(), ::getuid());
    return rules;
}

bool LeftoverRules::mayOffer(const std::string& path) const {
    const auto checked = policy_.checkedPath(path);
    if (!checked)
        return false;
    const std::string folder = PathText::deletingLastPathComponent(*checked);
    // Where others may rename entries of their own over its name, it cannot go by that name.
    if (othersMayReplaceEntriesInFolderAt(folder, true))
        return false;
    const bool othersMayPutEntriesThere =
        cleaning_.isInSharedTemporaryFolder(*checked) || othersMayWriteToFolderAt(folder, true);
    return !othersMayPutEntriesThere || isOwnedBy(*checked, removal_.user());
}

std::vector<std::string> LeftoverRules::offered(const std::string& path) const {
    std::vector<std::string> offered;
    offer(path, 0, offered);
    return offered;
}

void LeftoverRules::offer(const std::string& path, int depth, std::vector<std::string>& offered) const {
    struct stat info;
    if (!mayOffer(path) || ::lstat(path.c_str(), &info) != 0 || !removal_.mayOfferEntryOf(info.st_uid))
        return;
    if (!S_ISDIR(info.st_mode) ||
        removal_.mayOfferWhole(path, [](const std::string&, const std::string&, bool) { return true; })) {
        offered.push_back(path);
        return;
    }
    for (const InnerEntry& inner : removal_.entriesOfferableInside(path, depth))
        offer(inner.path, depth + 1, offered);
}

bool admitsLeftoverInAdminPass(const std::string& checkedPath, const OrphanSafetyPolicy& policy,
                               const CleaningPathRules& rules) {
    return policy.checkedPath(checkedPath) == checkedPath && !rules.isInSharedTemporaryFolder(checkedPath);
}


bool LeftoverRules::mayGoToAdministrator(const std::string& checkedPath) const {
    return admitsLeftoverInAdminPass(checkedPath, policy_, cleaning_);
}

} // namespace zn
