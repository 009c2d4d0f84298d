#pragma once

#include <string>
#include <vector>

namespace zn {

// The user's own document folders, "Downloads", "Documents" and "Desktop", in that order, joined to the
// standardised `home` (a home of "/" gives "/Documents", never "//Documents"). What lies there the user
// made: the uninstaller lists it unticked, and a large file there may go on its own.
std::vector<std::string> documentFolders(const std::string& home);

// `path` is one of them or lies inside one.
bool isInDocumentFolder(const std::string& path, const std::string& home);

} // namespace zn
