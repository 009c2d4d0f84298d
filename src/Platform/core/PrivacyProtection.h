#pragma once

namespace zn {

// Whether the operating system guards users' protected data (mail, browser data, the privacy database)
// per application, so that a program must be granted Full Disk Access before it can read it.
enum class PrivacyProtection {
    none,          // the user's own file permissions are all there is
    perApplication // access must be granted to the program in the system's settings
};

// This system's kind of protection. Linux has no per-application protection.
PrivacyProtection platformPrivacyProtection();

} // namespace zn
