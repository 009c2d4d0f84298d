#include "support/Privileges.h"

#include <cerrno>
#include <linux/capability.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zn::test {

namespace {

// Empties the effective, permitted and inheritable sets; a process without root's capabilities gets none.
bool dropAllCapabilities() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    return ::syscall(SYS_capset, &header, data) == 0;
}

} // namespace

bool runsAsRoot() {
    return ::geteuid() == 0;
}

int exitStatusWithoutPrivileges(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (!dropAllCapabilities())
            ::_exit(255);
        ::_exit(body() & 0xff);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) && WEXITSTATUS(status) != 255 ? WEXITSTATUS(status) : -1;
}

ScopedMode::ScopedMode(std::string path, mode_t mode) : path_(std::move(path)) {
    struct stat info;
    if (::lstat(path_.c_str(), &info) != 0 || ::chmod(path_.c_str(), mode) != 0)
        throw std::runtime_error("fixture: cannot change the mode of " + path_);
    previous_ = info.st_mode & 07777;
}

ScopedMode::~ScopedMode() {
    ::chmod(path_.c_str(), previous_);
}

} // namespace zn::test
