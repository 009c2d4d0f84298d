#include "Platform/core/PathText.h"
#include "Services/ScanEngine.h"

#include <array>
#include <utility>

namespace zn {

namespace {

// Build products, archives, simulator caches and the IDE's own cache, in the order they are offered.
constexpr std::array<const char*, 4> kXcodeFolders{
    "/Library/Developer/Xcode/DerivedData",
    "/Library/Developer/Xcode/Archives",
    "/Library/Developer/CoreSimulator/Caches",
    "/Library/Caches/com.apple.dt.Xcode",
};

// Tested over the whole path, home folder included, in this order; the first match names the folder.
constexpr std::array<std::pair<const char*, const char*>, 4> kXcodeFolderNames{{
    {"DerivedData", "Coding build files"},
    {"Archives", "Old coding archives"},
    {"CoreSimulator", "Coding simulator files"},
    {"com.apple.dt.Xcode", "Xcode extra files"},
}};

} // namespace

std::string ScanEngine::codingAppFileName(const std::string& path) {
    for (const auto& [marker, name] : kXcodeFolderNames) {
        if (path.find(marker) != std::string::npos)
            return name;
    }
    return PathText::lastPathComponent(path);
}

CategoryResult ScanEngine::scanXcodeJunkLocked() {
    std::vector<std::pair<std::string, std::string>> folders;
    for (const char* suffix : kXcodeFolders) {
        std::string path = home_ + suffix;
        folders.emplace_back(path, codingAppFileName(path));
    }
    return resultOf(CleaningCategory::xcodeJunk, wholeFolderItems(folders, CleaningCategory::xcodeJunk));
}

} // namespace zn
