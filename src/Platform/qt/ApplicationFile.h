#pragma once

#include <string>
#include <vector>

namespace zn {

// Where this program lives as a file that desktops accept when it is dragged somewhere: its launcher
// (.desktop file) when one is installed, else the executable itself.
struct ApplicationFileSearch {
    std::string executablePath;
    // The desktop's application folders, most important first (XDG data home, then the data folders).
    std::vector<std::string> applicationFolders;
    // The launcher's file names this program may be installed under.
    std::vector<std::string> launcherNames;

    // This process's executable, the desktop's folders and this program's launcher names.
    static ApplicationFileSearch thisProgram();
};

// The first launcher that exists as a file, searched folder by folder in order; else the executable.
std::string applicationFile(const ApplicationFileSearch& search);

} // namespace zn
