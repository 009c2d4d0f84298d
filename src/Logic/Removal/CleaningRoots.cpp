#include "Logic/Removal/CleaningRoots.h"

#include "Platform/core/HomeTrash.h"

#include <array>
#include <utility>

namespace zn {

namespace {

// Stands in the table for the "files" folder of the home Trash, which lies where the data home says.
constexpr const char* kHomeTrashFiles = nullptr;

// Containers, Group Containers, Application Support, Preferences, LaunchAgents, Safari and ~/.cache hold
// live data of other applications: only what is inside them may go. So does the Trash's "files" folder: it
// is part of the Trash, beside the records in "info".
constexpr std::array<std::pair<const char*, bool>, 19> kHomeRoots{{
    {"/Library/Caches", true},
    {"/Library/Logs", true},
    {"/Library/Saved Application State", true},
    {"/Library/HTTPStorages", true},
    {"/Library/WebKit", true},
    {"/Library/Containers", false},
    {"/Library/Group Containers", false},
    {"/Library/Application Support", false},
    {"/Library/Preferences", false},
    {"/Library/LaunchAgents", false},
    {"/Library/Mail Downloads", true},
    {"/Library/Safari", false},
    {"/Library/Developer/Xcode/DerivedData", true},
    {"/Library/Developer/Xcode/Archives", true},
    {"/Library/Developer/CoreSimulator/Caches", true},
    {kHomeTrashFiles, false},
    {"/.npm", true},
    {"/.cache", false},
    {"/Library/Containers/com.docker.docker", true},
}};

} // namespace

std::vector<CleaningRoot> cleaningAllowedRoots(const std::string& home,
                                               const std::optional<std::string>& dataHome,
                                               const std::vector<std::string>& systemRoots) {
    std::vector<CleaningRoot> roots;
    if (home.size() > 1 && home.front() == '/')
        for (const auto& [suffix, removableAsWhole] : kHomeRoots)
            roots.push_back(
                {suffix == kHomeTrashFiles ? HomeTrash(home, dataHome).filesFolder() : home + suffix,
                 removableAsWhole});
    // System-wide roots: never removed as a whole.
    for (const std::string& root : systemRoots)
        roots.push_back({root, false});
    return roots;
}

} // namespace zn
