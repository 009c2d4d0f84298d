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
        const int error = SystemRemovalFileOperations::openPathDirectory(parentFd, name, fd);
        return remembered(error, fd, name);
    }
    int openDirectory(int parentFd, const std::string& name, int& fd) override {
        if (auto failure = openFailures.find(name); failure != openFailures.end())
            return failure->second;
        const int error = SystemRemovalFileOperations::openDirectory(parentFd, name, fd);
        return remembered(error, fd, name);
    }
    // "." of an open folder answers as the name the folder was opened by.
    int status(int parentFd, const std::string& entry, EntryStatus& status) override {
        int error = SystemRemovalFileOperations::status(parentFd, entry, status);
        auto opened = openedNames_.find(parentFd);
        const std::string& name = entry == "." && opened != openedNames_.end() ? opened->second : entry;
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

private:
    int remembered(int error, int fd, const std::string& name) {
        if (error == 0)
            openedNames_[fd] = name;
        return error;
    }

    std::map<int, std::string> openedNames_; // descriptor → the name it was opened by
};

} // namespace zn::test
