#pragma once

#include <functional>
#include <sys/types.h>

namespace zn::test {

// The unprivileged user that permission tests drop to ("nobody").
inline constexpr uid_t kOtherUser = 65534;

// Tests run as root, where no permission check ever fails. This runs `body` in a forked child that has
// dropped to `user` (as its user, group and only group) and returns what `body` returned (0 to 255), or -1
// when the child could not drop its rights or died.
int exitStatusAsUser(uid_t user, const std::function<int()>& body);

} // namespace zn::test
