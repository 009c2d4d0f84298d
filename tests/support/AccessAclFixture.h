#pragma once

#include <string>
#include <sys/types.h>

namespace zn::test {

// Lets `user` write to the folder through its access ACL, as "setfacl -m u:<user>:rwx" does: a named-user
// entry and a mask opening the group bits to rwx, the owning group's own bits kept. 0, or the errno
// (ENOTSUP where the file system keeps no ACLs).
int grantWritingThroughAcl(const std::string& path, uid_t user);

} // namespace zn::test
