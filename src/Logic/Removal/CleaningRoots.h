#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zn {

// A place the cleaning engine may remove from.
struct CleaningRoot {
    std::string path;
    bool removableAsWhole; // the ordinary pass may remove the root folder itself
};

// The folders outside every home folder that the cleaning rules name: the system's own by default; tests
// move them into their fixtures.
struct SystemCleaningFolders {
    // Allowed roots: what lies inside them may go, never the folders themselves.
    std::vector<std::string> allowedRoots{
        "/Library/Caches", "/Library/Logs", "/private/var/log", "/private/var/tmp", "/var/log",
        "/var/tmp",        "/tmp"};
    // Temporary folders every user writes to: what lies there may belong to anyone.
    std::vector<std::string> sharedTemporary{"/tmp", "/var/tmp", "/private/var/tmp"};
    // Prefixed to the folders of the administrator pass (the machine's applications, receipts, launch
    // items): "" for the real ones.
    std::string systemRoot;
};

// The allowed roots in the order the cleaning rule tests them: nineteen of `home` (one of them the "files"
// folder of its Trash, placed by `dataHome` as HomeTrash says), then the system's. A home that is not an
// absolute folder other than "/" contributes none (it would turn the home roots into system folders).
std::vector<CleaningRoot> cleaningAllowedRoots(const std::string& home,
                                               const std::optional<std::string>& dataHome,
                                               const std::vector<std::string>& systemRoots);

} // namespace zn
