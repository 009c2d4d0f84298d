#include "Logic/Removal/RemovalPolicy.h"

#include "Logic/Removal/DocumentFolders.h"
#include "Platform/core/PathText.h"

namespace zn {

RemovalPolicy::RemovalPolicy(const std::string& home, uid_t user, People people, const std::string& systemRoot)
    : home_(PathText::standardizingPath(home, "")), user_(user), people_(people),
      administratorFolders_(home_, systemRoot) {}

bool RemovalPolicy::mayOfferWhole(const std::string& folder, const TopEntryTest& acceptsTopEntry,
                                  const TopEntryTest& acceptsEveryEntry) const {
    return mayGoWholeFor(folder, user_, acceptsTopEntry, acceptsEveryEntry);
}

std::vector<InnerEntry> RemovalPolicy::entriesOfferableInside(const std::string& folder, int depth) const {
    return zn::entriesOfferableInside(folder, depth, user_);
}

bool RemovalPolicy::isInDocumentFolder(const std::string& path) const {
    return zn::isInDocumentFolder(path, home_);
}

} // namespace zn
