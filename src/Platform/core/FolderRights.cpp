#include "Platform/core/FolderRights.h"

#include "Platform/core/AccessAcl.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <linux/capability.h>
#include <map>
#include <mutex>
#include <pwd.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace zn {

namespace {

bool hasEffectiveCapability(unsigned capability) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (::syscall(SYS_capget, &header, data) != 0)
        return false;
    return (data[capability / 32].effective & (1u << (capability % 32))) != 0;
}

// The group `group` is the personal group of `owner`: the owner's primary group, bearing the owner's name,
// with nobody else named as a member.
bool isPersonalGroup(uid_t owner, gid_t group) {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> userBuffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    struct passwd user;
    struct passwd* foundUser = nullptr;
    if (::getpwuid_r(owner, &user, userBuffer.data(), userBuffer.size(), &foundUser) != 0 || !foundUser ||
        user.pw_gid != group)
        return false;
    size = ::sysconf(_SC_GETGR_R_SIZE_MAX);
    std::vector<char> groupBuffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    struct group entry;
    struct group* foundGroup = nullptr;
    // A group with many members may need more room than the system suggests.
    int error = 0;
    while ((error = ::getgrgid_r(group, &entry, groupBuffer.data(), groupBuffer.size(), &foundGroup)) ==
               ERANGE &&
           groupBuffer.size() < (std::size_t{1} << 24))
        groupBuffer.resize(groupBuffer.size() * 2);
    if (error != 0 || !foundGroup || !entry.gr_name || std::strcmp(entry.gr_name, user.pw_name) != 0)
        return false;
    for (char** member = entry.gr_mem; member && *member; ++member)
        if (std::strcmp(*member, user.pw_name) != 0)
            return false;
    return true;
}

// Asked for every folder a search walks under the mask 002: an answer is read from the account databases
// once for a few seconds, which one search needs, and then read again, since a group may gain members.
bool isPersonalGroupRemembered(uid_t owner, gid_t group) {
    using Clock = std::chrono::steady_clock;
    constexpr auto kLifetime = std::chrono::seconds(10);
    struct Answer {
        bool isPersonal;
        Clock::time_point readAt;
    };
    static std::mutex mutex;
    static std::map<std::pair<uid_t, gid_t>, Answer> answers;
    const std::pair key{owner, group};
    const auto now = Clock::now();
    {
        std::lock_guard lock(mutex);
        if (const auto known = answers.find(key);
            known != answers.end() && now - known->second.readAt < kLifetime)
            return known->second.isPersonal;
    }
    const bool isPersonal = isPersonalGroup(owner, group);
    std::lock_guard lock(mutex);
    answers[key] = {isPersonal, now};
    return isPersonal;
}

bool statusAt(const std::string& path, bool followLinks, struct stat& info) {
    return (followLinks ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info)) == 0;
}

} // namespace

bool isPrivateFolderOf(int folderFd, uid_t user) {
    // With an access ACL the group bits show its mask, which bounds every named user and group: no write
    // bit there leaves writing to the owner alone.
    struct stat info;
    return ::fstat(folderFd, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == user &&
           (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool othersMayWriteTo(const struct stat& folder, const AccessAclReader& readAcl) {
    if (!S_ISDIR(folder.st_mode))
        return false;
    if (folder.st_mode & S_IWOTH)
        return true;
    // The group bits are the owning group's, or with an access ACL its mask: without a write bit there,
    // no group and no named user may write either.
    if ((folder.st_mode & S_IWGRP) == 0)
        return false;
    if (!isPersonalGroupRemembered(folder.st_uid, folder.st_gid))
        return true;
    const std::optional<std::string> acl = readAcl();
    if (!acl)
        return true; // unreadable: nothing vouches for it
    return aclLetsOthersWrite(*acl, folder.st_uid,
                              [&](gid_t group) { return isPersonalGroupRemembered(folder.st_uid, group); });
}

bool othersMayWriteToFolderAt(const std::string& path, bool followLinks) {
    struct stat info;
    return statusAt(path, followLinks, info) &&
           othersMayWriteTo(info, [&] { return accessAclAt(path, followLinks); });
}

bool othersMayWriteToOpenFolder(int folderFd) {
    struct stat info;
    return ::fstat(folderFd, &info) == 0 && othersMayWriteTo(info, [&] { return accessAclOf(folderFd); });
}

bool othersMayReplaceEntriesIn(int folderFd) {
    struct stat info;
    return ::fstat(folderFd, &info) == 0 && (info.st_mode & S_ISVTX) == 0 &&
           othersMayWriteToOpenFolder(folderFd);
}

bool othersMayReplaceEntriesInFolderAt(const std::string& path, bool followLinks) {
    struct stat info;
    return statusAt(path, followLinks, info) && (info.st_mode & S_ISVTX) == 0 &&
           othersMayWriteTo(info, [&] { return accessAclAt(path, followLinks); });
}

int refusalToTakeEntryFrom(int folderFd, const struct stat& entry) {
    if (::faccessat(folderFd, ".", W_OK | X_OK, AT_EACCESS) != 0)
        return errno;
    struct stat folder;
    if (::fstat(folderFd, &folder) != 0)
        return errno;
    const uid_t self = ::geteuid();
    if ((folder.st_mode & S_ISVTX) && folder.st_uid != self && entry.st_uid != self &&
        !hasEffectiveCapability(CAP_FOWNER))
        return EPERM;
    return 0;
}

} // namespace zn
