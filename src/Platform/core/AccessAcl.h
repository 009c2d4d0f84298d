#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace zn {

// A folder's POSIX access ACL as the system hands it out (the "system.posix_acl_access" attribute): ""
// when it has none beyond its mode, nothing when it cannot be read.
std::optional<std::string> accessAclAt(const std::string& path, bool followLinks);
// The same of an open descriptor; one opened with O_PATH will do.
std::optional<std::string> accessAclOf(int fd);

// Whether the ACL lets anyone but `owner` write: a named user, or a named group that is not one of the
// owner's own (`isOwnersGroup`), with the write bit under the ACL's mask, or others. An ACL that is not
// well formed lets anyone.
bool aclLetsOthersWrite(std::string_view acl, uid_t owner, const std::function<bool(gid_t)>& isOwnersGroup);

} // namespace zn
