#include "support/Privileges.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <linux/capability.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zn::test {

namespace {

using CapabilitySets = std::array<__user_cap_data_struct, _LINUX_CAPABILITY_U32S_3>;

// The calling thread's sets.
CapabilitySets threadCapabilities() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    CapabilitySets sets{};
    if (::syscall(SYS_capget, &header, sets.data()) != 0)
        std::abort();
    return sets;
}

bool setThreadCapabilities(CapabilitySets sets) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(SYS_capset, &header, sets.data()) == 0;
}

// Empties the effective, permitted and inheritable sets; a process without root's capabilities gets none.
bool dropAllCapabilities() {
    return setThreadCapabilities(CapabilitySets{});
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
        // An exception must end the child here: left to the test framework, it would run the other tests.
        try {
            ::_exit(body() & 0xff);
        } catch (...) {
            ::_exit(255);
        }
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) && WEXITSTATUS(status) != 255 ? WEXITSTATUS(status) : -1;
}

ScopedThreadWithoutPrivileges::ScopedThreadWithoutPrivileges() {
    CapabilitySets sets = threadCapabilities();
    for (std::size_t index = 0; index < sets.size(); ++index) {
        effective_[index] = sets[index].effective;
        sets[index].effective = 0;
    }
    if (!setThreadCapabilities(sets)) {
        std::fputs("test support: cannot lower this thread's capabilities\n", stderr);
        std::abort();
    }
}

ScopedThreadWithoutPrivileges::~ScopedThreadWithoutPrivileges() {
    CapabilitySets sets = threadCapabilities();
    for (std::size_t index = 0; index < sets.size(); ++index)
        sets[index].effective = effective_[index];
    setThreadCapabilities(sets);
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
