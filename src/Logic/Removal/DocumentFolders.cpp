#include "Logic/Removal/DocumentFolders.h"

#include "Platform/core/PathText.h"

namespace zn {

std::vector<std::string> documentFolders(const std::string& home) {
    const std::string standardHome = PathText::standardizingPath(home, "");
    std::vector<std::string> folders;
    for (const char* folder : {"Downloads", "Documents", "Desktop"})
        folders.push_back(PathText::appendingPathComponent(standardHome, folder));
    return folders;
}

bool isInDocumentFolder(const std::string& path, const std::string& home) {
    for (const std::string& folder : documentFolders(home))
        if (PathText::isSameOrInside(path, folder))
            return true;
    return false;
}

} // namespace zn
