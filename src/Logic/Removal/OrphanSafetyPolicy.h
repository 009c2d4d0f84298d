#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zn {

// The gate for leftovers of applications that are no longer installed: a path is offered and removed only
// inside a cache-like Library folder, outside the user's credential and shell-settings paths and the
// protected Library areas, and when it is not an item of the operating system's own. Keeps no state; any
// thread may ask.
class OrphanSafetyPolicy {
public:
    // For `home` and the system folders under `systemRoot` (empty for the real "/Library"); both are
    // taken with their symbolic links resolved, since candidates are compared after resolving theirs.
    explicit OrphanSafetyPolicy(const std::string& home, const std::string& systemRoot = "");

    // True when the absolute `path` may be offered and removed as a leftover: the entry itself (its
    // folder's links resolved, its name kept) and, for a link, what it leads to. Reads the file system only
    // to resolve symbolic links; a path whose links cannot all be resolved is not safe. Never fails.
    bool isSafe(const std::string& path) const { return checkedPath(path).has_value(); }
    // The same test, giving the entry it judged (leftoverRemovalPath's form), which whatever then acts on
    // the leftover takes as written, never resolving `path` again. None when the leftover may not go.
    std::optional<std::string> checkedPath(const std::string& path) const;

    // The eight folders strictly inside which a leftover may lie.
    const std::vector<std::string>& allowedRoots() const { return allowedRoots_; }

private:
    // Strictly inside an allowed root, outside the credential paths and the protected Library areas.
    bool isSafePlace(const std::string& place) const;

    std::vector<std::string> allowedRoots_;
    std::vector<std::string> highRiskPaths_;
};

// What removing a leftover acts on: the path with the links of its folder resolved and its own name kept,
// so that a link goes as the link itself and never takes its target along. None for a relative path, a
// name that is empty, "." or "..", or a folder whose links cannot all be followed.
std::optional<std::string> leftoverRemovalPath(const std::string& path);

} // namespace zn
