#include "support/AsOtherUser.h"

#include <cerrno>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zn::test {

int exitStatusAsUser(uid_t user, const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        const gid_t group = static_cast<gid_t>(user);
        if (::setgroups(1, &group) != 0 || ::setgid(group) != 0 || ::setuid(user) != 0 || ::getuid() != user)
            ::_exit(255);
        ::_exit(body() & 0xff);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) && WEXITSTATUS(status) != 255 ? WEXITSTATUS(status) : -1;
}

} // namespace zn::test
