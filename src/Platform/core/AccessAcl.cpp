#include "Platform/core/AccessAcl.h"

#include "Platform/core/UniqueFd.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <linux/limits.h>
#include <sys/xattr.h>
#include <vector>

namespace zn {

namespace {

constexpr const char* kAttribute = "system.posix_acl_access";

// The attribute's layout: a 4-byte version, then 8-byte entries of tag, permissions and id, little-endian.
constexpr std::uint32_t kVersion = 2;
constexpr std::size_t kHeaderSize = 4;
constexpr std::size_t kEntrySize = 8;
enum Tag : std::uint16_t {
    userObj = 0x01,
    user = 0x02,
    groupObj = 0x04,
    group = 0x08,
    mask = 0x10,
    other = 0x20
};
constexpr std::uint16_t kWrite = 0x02;

std::uint32_t littleEndian(std::string_view bytes, std::size_t offset, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
    return value;
}

// Reads the attribute with `read` (a getxattr of some kind): "" when there is none.
template <typename Read> std::optional<std::string> readAttribute(Read read) {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t size = read(buffer.data(), buffer.size());
        if (size >= 0)
            return std::string(buffer.data(), static_cast<std::size_t>(size));
        if (errno == ENODATA || errno == ENOTSUP || errno == EOPNOTSUPP)
            return std::string();
        if (errno != ERANGE || buffer.size() >= XATTR_SIZE_MAX)
            return std::nullopt;
        buffer.resize(XATTR_SIZE_MAX);
    }
}

} // namespace

std::optional<std::string> accessAclAt(const std::string& path, bool followLinks) {
    return readAttribute([&](char* data, std::size_t size) {
        return followLinks ? ::getxattr(path.c_str(), kAttribute, data, size)
                           : ::lgetxattr(path.c_str(), kAttribute, data, size);
    });
}

std::optional<std::string> accessAclOf(int fd) {
    auto acl =
        readAttribute([&](char* data, std::size_t size) { return ::fgetxattr(fd, kAttribute, data, size); });
    if (acl || errno != EBADF)
        return acl;
    // A descriptor opened only as a place (O_PATH) reads no attributes: through /proc it names the very
    // file it was opened on, and a folder can also be opened again for reading.
    acl = accessAclAt("/proc/self/fd/" + std::to_string(fd), true);
    if (acl)
        return acl;
    const UniqueFd reopened(::openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (reopened.get() < 0)
        return std::nullopt;
    return readAttribute(
        [&](char* data, std::size_t size) { return ::fgetxattr(reopened.get(), kAttribute, data, size); });
}

bool aclLetsOthersWrite(std::string_view acl, uid_t owner, const std::function<bool(gid_t)>& isOwnersGroup) {
    if (acl.empty())
        return false;
    if (acl.size() < kHeaderSize || (acl.size() - kHeaderSize) % kEntrySize != 0 ||
        littleEndian(acl, 0, 4) != kVersion)
        return true;
    std::uint16_t maskBits = 07;
    for (std::size_t offset = kHeaderSize; offset < acl.size(); offset += kEntrySize)
        if (littleEndian(acl, offset, 2) == Tag::mask)
            maskBits = static_cast<std::uint16_t>(littleEndian(acl, offset + 2, 2));
    for (std::size_t offset = kHeaderSize; offset < acl.size(); offset += kEntrySize) {
        const auto tag = littleEndian(acl, offset, 2);
        const auto permissions = littleEndian(acl, offset + 2, 2);
        const auto id = littleEndian(acl, offset + 4, 4);
        const bool writes = (permissions & kWrite) != 0;
        switch (tag) {
        case Tag::userObj:
        case Tag::mask:
            break;
        case Tag::user:
            if (writes && (maskBits & kWrite) && id != owner)
                return true;
            break;
        case Tag::groupObj:
            break; // the owning group, which the mode's group bits stand for
        case Tag::group:
            if (writes && (maskBits & kWrite) && !isOwnersGroup(static_cast<gid_t>(id)))
                return true;
            break;
        case Tag::other:
            if (writes)
                return true;
            break;
        default:
            return true;
        }
    }
    return false;
}

} // namespace zn
