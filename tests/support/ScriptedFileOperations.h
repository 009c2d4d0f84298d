#pragma once

#include "Platform/core/SafeRemoval.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace zn::test {

// The real file operations, except that chosen names fail with a chosen errno or report another device,
// mount or owner.
class ScriptedFileOperations : public SystemRemovalFileOperations {
public:
    std::map<std::string, int> removeFailures;            // entry name → errno for remove()
    std::map<std::string, int> openFailures;              // entry name → errno for openDirectory()
    std::map<std::string, dev_t> foreignDevices;          // entry name → device reported by status()
    std::set<std::string> mountRoots;                     // names reported as mount roots
    std::map<std::string, std::uint64_t> foreignMountIds; // entry name → mount id reported by status()
    std::map<std::string, uid_t> foreignOwners;           // entry name → owner reported by status()

    int openPathDirectory(int parentFd, const std::string& name, int& fd) override {
        if (auto failure = openFailures.find(name); failure != openFailures.end())
            return failure->second;
        return SystemRemovalFileOperations::openPathDirectory(parentFd, name, fd);
    }
    int openDirectory(int parentFd, const std::string& name, int& fd) override {
        if (auto failure = openFailures.find(name); failure != openFailures.end())
            return failure->second;
        return SystemRemovalFileOperations::openDirectory(parentFd, name, fd);
    }
    int status(int parentFd, const std::string& name, EntryStatus& status) override {
        int error = SystemRemovalFileOperations::status(parentFd, name, status);
        if (auto device = foreignDevices.find(name); error == 0 && device != foreignDevices.end())
            status.device = device->second;
        if (mountRoots.contains(name))
            status.isMountRoot = true;
        if (auto mount = foreignMountIds.find(name); error == 0 && mount != foreignMountIds.end())
            status.mountId = mount->second;
        if (auto owner = foreignOwners.find(name); error == 0 && owner != foreignOwners.end())
            status.owner = owner->second;
        return error;
    }
    int remove(int parentFd, const std::string& name, bool isDirectory) override {
        if (auto failure = removeFailures.find(name); failure != removeFailures.end())
            return failure->second;
        return SystemRemovalFileOperations::remove(parentFd, name, isDirectory);
    }
};

} // namespace zn::test
