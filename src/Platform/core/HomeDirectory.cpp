#include "Platform/core/HomeDirectory.h"

#include "Platform/core/PathResolution.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace zn {

namespace {

std::string homeFromPasswordDatabase() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    struct passwd entry;
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    return "/";
}

} // namespace

std::string currentUserHomeDirectory() {
    const char* variable = std::getenv("HOME");
    std::string home = variable && variable[0] == '/' ? variable : homeFromPasswordDatabase();
    return resolvingSymlinksInPath(home);
}

} // namespace zn
