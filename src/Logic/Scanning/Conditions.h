#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zn {

// Per-application corrections to name matching: terms that make a folder name count as the
// application's or not, and folders always added to or removed from its leftovers. Everything that is
// compared with folder names is stored normalised.
struct AppCondition {
    std::string bundleID;
    std::vector<std::string> includeTerms;
    std::vector<std::string> excludeTerms;
    // Only the paths that existed when the row was built; absent when the row names none.
    std::optional<std::vector<std::string>> forceIncludePaths;
    std::optional<std::vector<std::string>> forceExcludePaths;

    AppCondition(const std::string& bundleID, const std::vector<std::string>& includeTerms,
                 const std::vector<std::string>& excludeTerms,
                 const std::optional<std::vector<std::string>>& forceIncludePaths = std::nullopt,
                 const std::optional<std::vector<std::string>>& forceExcludePaths = std::nullopt);

    bool operator==(const AppCondition&) const = default;
};

// The 26 rows for the process's home folder, built on first use; their force paths are judged then.
const std::vector<AppCondition>& appConditions();
// The same rows for another home folder, with its force paths judged now.
std::vector<AppCondition> makeAppConditions(const std::string& home);

} // namespace zn
