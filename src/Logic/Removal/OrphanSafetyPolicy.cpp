#include "Logic/Removal/OrphanSafetyPolicy.h"

#include "Logic/Scanning/Locations.h"
#include "Logic/Scanning/SkipTables.h"
#include "Logic/Scanning/StringNormalization.h"
#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"

#include <array>
#include <string_view>

namespace zn {

namespace {

// Compared lower-cased anywhere in a path: a cache folder that holds a nested Library with one of these
// inside is refused too.
constexpr std::array<std::string_view, 16> kBlockedFragments = {"/library/preferences",
                                                                "/library/preferencepanes",
                                                                "/library/containers",
                                                                "/library/group containers",
                                                                "/library/application scripts",
                                                                "/library/launchagents",
                                                                "/library/launchdaemons",
                                                                "/library/privilegedhelpertools",
                                                                "/library/keychains",
                                                                "/library/mail",
                                                                "/library/safari",
                                                                "/library/messages",
                                                                "/library/calendars",
                                                                "/library/accounts",
                                                                "/library/mobile documents",
                                                                "/library/cloudstorage"};

bool isSystemItemName(const std::string& name) {
    const std::string lower = lowercased(name);
    return lower.starts_with("com.apple.") || lower == ".globalpreferences.plist";
}

} // namespace

OrphanSafetyPolicy::OrphanSafetyPolicy(const std::string& home, const std::string& systemRoot) {
    const std::string resolvedHome = resolvingSymlinksInPath(home);
    const std::string resolvedSystem = systemRoot.empty() ? "" : resolvingSymlinksInPath(systemRoot);
    allowedRoots_ = {
        resolvedHome + "/Library/Caches",
        resolvedHome + "/Library/Logs",
        resolvedHome + "/Library/Saved Application State",
        resolvedHome + "/Library/HTTPStorages",
        resolvedHome + "/Library/WebKit",
        resolvedHome + "/Library/Application Support/CrashReporter",
        resolvedSystem + "/Library/Caches",
        resolvedSystem + "/Library/Logs",
    };
    highRiskPaths_ = makeHighRiskHomeDotPaths(resolvedHome);
}

std::optional<std::string> OrphanSafetyPolicy::checkedPath(const std::string& path) const {
    // Removal acts on the entry itself (a link goes as the link), and what a link leads to is what a
    // reader of it reaches: both must lie where leftovers may be. A path whose links cannot all be followed
    // may lead anywhere.
    const auto own = leftoverRemovalPath(path);
    const auto resolved = own ? resolvedPathIfResolvable(*own) : std::nullopt;
    if (!resolved || !isSafePlace(*own) || !isSafePlace(*resolved))
        return std::nullopt;
    // The name as given, and the name a link leads to.
    if (isSystemItemName(PathText::lastPathComponent(*own)) ||
        isSystemItemName(PathText::lastPathComponent(*resolved)))
        return std::nullopt;
    return own;
}

bool OrphanSafetyPolicy::isSafePlace(const std::string& place) const {
    if (isHighRiskPath(place, highRiskPaths_))
        return false;

    // Exact case: on a case-sensitive file system "~/library/caches" is not the caches folder.
    bool insideAllowedRoot = false;
    for (const std::string& root : allowedRoots_)
        insideAllowedRoot = insideAllowedRoot || PathText::isStrictlyInside(place, root);
    if (!insideAllowedRoot)
        return false;

    const std::string lower = lowercased(place);
    for (std::string_view fragment : kBlockedFragments)
        if (lower.find(fragment) != std::string::npos)
            return false;
    return true;
}

std::optional<std::string> leftoverRemovalPath(const std::string& path) {
    if (path.empty() || path.front() != '/')
        return std::nullopt;
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    const std::string name = PathText::lastPathComponent(trimmed);
    if (name.empty() || name == "." || name == ".." || name == "/")
        return std::nullopt;
    const auto folder = resolvedPathIfResolvable(PathText::deletingLastPathComponent(trimmed));
    if (!folder)
        return std::nullopt;
    return PathText::appendingPathComponent(*folder, name);
}

} // namespace zn
