#pragma once

#include "Platform/core/PeopleAccounts.h"

#include <functional>
#include <linux/capability.h>
#include <string>
#include <sys/types.h>

namespace zn::test {

// A user that tests hand files to and that the tests' people (kPeople) do not count: an account of the
// system's own.
inline constexpr uid_t kOtherUser = 65534;
// An account of the system's own, below the first person's id on every machine.
inline constexpr uid_t kSystemAccount = 100;
// A person other than whoever runs the tests, with no account: an id as a directory service gives, high
// enough that no one running the tests has one as high.
inline constexpr uid_t kOtherPerson = 2'000'000'000;
// A group that is nobody's personal group ("nogroup"): its members share what it may write to.
inline constexpr gid_t kSharedGroup = 65534;
// The people as the tests count them: from the other person up, so that whoever runs the tests, root or a
// user, is no other person to a caller a test names.
inline constexpr People kPeople{kOtherPerson};

// Only root can hand a file to another user; tests that must are skipped for anyone else.
bool runsAsRoot();
inline constexpr const char* kNeedsRootToChangeOwners = "needs root: it hands files to another user";

// Runs `body` in a forked child that permission bits bind like any user's: a root child gives up the
// capabilities that pass over them (it stays the owner of what the test made, so the tree stays reachable
// wherever it lies). Returns what `body` returned (0 to 254), or -1 when the child could not give them up,
// `body` threw, or the child died.
int exitStatusWithoutPrivileges(const std::function<int()>& body);

// Lowers the effective capabilities of the calling thread alone for the life of the object, then raises
// them again: permission bits bind root too on this thread while the rest of the process keeps its own.
// For work that runs where a forked child cannot (on the thread pool of a test with its event loop).
// Aborts the test program should the capabilities not change, rather than let a test pass unbound.
class ScopedThreadWithoutPrivileges {
public:
    ScopedThreadWithoutPrivileges();
    ~ScopedThreadWithoutPrivileges();
    ScopedThreadWithoutPrivileges(const ScopedThreadWithoutPrivileges&) = delete;
    ScopedThreadWithoutPrivileges& operator=(const ScopedThreadWithoutPrivileges&) = delete;

private:
    __u32 effective_[_LINUX_CAPABILITY_U32S_3] = {};
};

// Gives a folder of the test's own another mode for the life of the object, then puts the old one back
// (a folder nobody may enter could not be removed afterwards).
class ScopedMode {
public:
    ScopedMode(std::string path, mode_t mode);
    ~ScopedMode();
    ScopedMode(const ScopedMode&) = delete;
    ScopedMode& operator=(const ScopedMode&) = delete;

private:
    std::string path_;
    mode_t previous_ = 0;
};

} // namespace zn::test
