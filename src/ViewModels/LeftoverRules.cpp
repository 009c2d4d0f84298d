#include "ViewModels/LeftoverRules.h"

#include "Logic/Scanning/Locations.h"
#include "Platform/core/FileSystem.h"
#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"
#include "Services/CleaningEngine+PrivilegedRemoval.h"

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
                             SystemCleaningFolders folders, PersonUidRange people)
    : policy_(home, systemRoot),
      // A home whose links cannot all be resolved decides nothing: all of /tmp then counts as shared.
      cleaning_(resolvedPathIfResolvable(home).value_or(""), user, std::move(folders)), user_(user),
      otherPeople_(user, people) {}

std::shared_ptr<const LeftoverRules> LeftoverRules::currentUser() {
    static const auto rules = std::make_shared<const LeftoverRules>(home(), ::getuid());
    return rules;
}

bool LeftoverRules::mayOffer(const std::string& path) const {
    const auto checked = policy_.checkedPath(path);
    if (!checked)
        return false;
    const bool othersMayPutEntriesThere = cleaning_.isInSharedTemporaryFolder(*checked) ||
                                          othersMayWriteToFolder(PathText::deletingLastPathComponent(*checked));
    return !othersMayPutEntriesThere || isOwnedBy(*checked, user_);
}

bool LeftoverRules::mayGoToAdministrator(const std::string& checkedPath) const {
    return admitsLeftoverInAdminPass(checkedPath, policy_, cleaning_);
}

} // namespace zn
