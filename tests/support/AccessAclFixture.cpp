#include "support/AccessAclFixture.h"

#include <cerrno>
#include <cstdint>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace zn::test {

namespace {

void append(std::string& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void appendEntry(std::string& bytes, std::uint16_t tag, std::uint16_t permissions, std::uint32_t id) {
    append(bytes, tag, 2);
    append(bytes, permissions, 2);
    append(bytes, id, 4);
}

} // namespace

int grantWritingThroughAcl(const std::string& path, uid_t user) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return errno;
    constexpr std::uint32_t kNoId = 0xFFFFFFFF;
    std::string bytes;
    append(bytes, 2, 4);                                       // the attribute's version
    appendEntry(bytes, 0x01, (info.st_mode >> 6) & 07, kNoId); // the owner
    appendEntry(bytes, 0x02, 07, user);                        // the named user
    appendEntry(bytes, 0x04, (info.st_mode >> 3) & 07, kNoId); // the owning group
    appendEntry(bytes, 0x10, 07, kNoId);                       // the mask
    appendEntry(bytes, 0x20, info.st_mode & 07, kNoId);        // others
    return ::setxattr(path.c_str(), "system.posix_acl_access", bytes.data(), bytes.size(), 0) == 0 ? 0
                                                                                                   : errno;
}

} // namespace zn::test
