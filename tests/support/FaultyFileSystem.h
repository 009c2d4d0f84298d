#pragma once

#include "Platform/core/FileSystem.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace zn::test {

// The real file system with failures injected by path: tests run as root, where permissions cannot
// produce them. Every path not named here behaves as it really is.
class FaultyFileSystem : public PosixFileSystem {
public:
    std::set<std::string> unreadablePaths;              // access(R_OK) fails
    std::map<std::string, int> folderOpenErrors;        // listing or walking into the folder fails with errno
    std::map<std::string, int> attributeErrors;         // lstat fails with errno
    std::map<std::string, std::int64_t> directorySizes; // the walk answers this instead
    std::map<std::string, uid_t> foreignOwners;         // the walk judging removal also meets their entry

    bool isReadable(const std::string& path) const override;
    AttributesReading attributesOfItem(const std::string& path) const override;
    std::int64_t directorySize(const std::string& path) const override;
    DirectoryWalk walkDirectory(const std::string& path) const override;

protected:
    int openDirectory(int parentFd, const char* name, const std::string& path,
                      bool followLink) const override;
};

} // namespace zn::test
