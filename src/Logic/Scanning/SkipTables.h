#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

// Fixed tables that keep the leftover searches away from system and personal data, credentials, shell
// settings and the folders that merely share words with application names. Built once, never changed;
// any thread reads them without locking.
namespace zn {

struct SkipCondition {
    std::vector<std::string> skipPrefixes;  // normalised name prefixes that skip an item
    std::vector<std::string> allowPrefixes; // normalised name prefixes that exempt it again
    std::vector<std::string> skipPaths;     // plain text path prefixes (no "/" boundary) that skip an item
    bool operator==(const SkipCondition&) const = default;
};

// The single row of the leftover finder's skip test, for the process's home and the real system.
const std::vector<SkipCondition>& skipConditions();
// The same row for another home folder and system root (empty for the real one); `dataHome` places the
// home Trash as HomeTrash says.
std::vector<SkipCondition> makeSkipConditions(const std::string& home, const std::string& systemRoot,
                                              const std::optional<std::string>& dataHome = std::nullopt);

// The user's 36 credential stores, tool settings and shell histories, as full paths.
const std::vector<std::string>& highRiskHomeDotPaths();
std::vector<std::string> makeHighRiskHomeDotPaths(const std::string& home);
// True when `path` equals one of `highRiskPaths` or lies inside one (case-sensitive).
bool isHighRiskPath(std::string_view path, const std::vector<std::string>& highRiskPaths);

// The 147 folder names directly inside a Library root that the leftover finder never descends into.
const std::unordered_set<std::string>& skipDeepSearch();

} // namespace zn
