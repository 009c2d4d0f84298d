#include "ViewModels/OrphanSearch.h"

#include "Logic/Scanning/DirectoryEntries.h"
#include "Logic/Scanning/StringNormalization.h"
#include "Platform/core/PathText.h"
#include "ViewModels/SkipReverse.h"

#include <algorithm>
#include <set>

namespace zn {

namespace {

bool startsWithSkippedPrefix(const std::string& name) {
    return std::any_of(skipReverse.begin(), skipReverse.end(),
                       [&](std::string_view prefix) { return name.starts_with(prefix); });
}

bool containsAny(const std::string& name, const std::set<std::string>& parts) {
    return std::any_of(parts.begin(), parts.end(),
                       [&](const std::string& part) { return name.find(part) != std::string::npos; });
}

} // namespace

std::vector<std::string> findOrphanedFiles(const Locations& locations, const std::vector<InstalledApp>& apps,
                                           const LeftoverOffers& offers) {
    // An empty identifier or name would be inside every name; it matches nothing instead.
    std::set<std::string> installedParts;
    for (const InstalledApp& app : apps) {
        for (const std::string& text : {app.bundleIdentifier, app.appName}) {
            std::string normalized = normalizedForMatching(text);
            if (!normalized.empty())
                installedParts.insert(std::move(normalized));
        }
    }

    std::vector<std::string> found;
    for (const std::string& folder : locations.reverseSearch.paths) {
        if (folder.empty() || folder.front() != '/')
            continue;
        auto names = directoryEntryNames(folder);
        if (!names)
            continue;
        for (const std::string& name : *names) {
            const std::string normalized = normalizedForMatching(name);
            if (startsWithSkippedPrefix(normalized) || containsAny(normalized, installedParts))
                continue;
            for (std::string& path : offers(PathText::appendingPathComponent(folder, name)))
                found.push_back(std::move(path));
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const std::string& a, const std::string& b) {
        return PathText::lastPathComponent(a) < PathText::lastPathComponent(b);
    });
    return found;
}

} // namespace zn
