#pragma once

#include <string>

namespace zn {

// The current user's home folder: $HOME when set and absolute, else the password database; without a
// trailing "/" and with its symbolic links resolved, so that it compares equal to resolved paths.
std::string currentUserHomeDirectory();

} // namespace zn
