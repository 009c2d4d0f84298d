#include "support/FaultyFileSystem.h"

#include <cerrno>

namespace zn::test {

bool FaultyFileSystem::isReadable(const std::string& path) const {
    return !unreadablePaths.contains(path) && PosixFileSystem::isReadable(path);
}

AttributesReading FaultyFileSystem::attributesOfItem(const std::string& path) const {
    if (auto error = attributeErrors.find(path); error != attributeErrors.end())
        return {std::nullopt, error->second};
    return PosixFileSystem::attributesOfItem(path);
}

std::int64_t FaultyFileSystem::directorySize(const std::string& path) const {
    if (auto size = directorySizes.find(path); size != directorySizes.end())
        return size->second;
    return PosixFileSystem::directorySize(path);
}

DirectoryWalk FaultyFileSystem::walkDirectory(const std::string& path) const {
    DirectoryWalk walk = PosixFileSystem::walkDirectory(path);
    if (auto owner = foreignOwners.find(path); owner != foreignOwners.end())
        walk.owners.insert(owner->second);
    return walk;
}

int FaultyFileSystem::openDirectory(int parentFd, const char* name, const std::string& path,
                                    bool followLink) const {
    if (auto error = folderOpenErrors.find(path); error != folderOpenErrors.end()) {
        errno = error->second;
        return -1;
    }
    return PosixFileSystem::openDirectory(parentFd, name, path, followLink);
}

} // namespace zn::test
