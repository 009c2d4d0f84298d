#pragma once

#include <string>
#include <sys/types.h>

namespace zn {

// Who the machine counts as a person: every account but root and the system's own accounts, which lie
// below UID_MIN. Ids past UID_MAX (a directory service's, systemd-homed's), nobody's and ids no account
// has are people too: nothing says they are not.
struct People {
    uid_t firstPersonUid = 1000;

    bool isPerson(uid_t user) const { return user != 0 && user >= firstPersonUid; }

    // UID_MIN of `loginDefinitions` (the system's login.defs), read as the shadow tools read numbers
    // (decimal, 0x hexadecimal, leading-0 octal); 1000 where the file does not set it to one.
    static People fromLoginDefinitions(const std::string& loginDefinitions = "/etc/login.defs");
};

// The people other than `caller`: what one of them owns is never removed or moved for the caller, whoever
// asks.
class OtherPeople {
public:
    OtherPeople(uid_t caller, People people) : caller_(caller), people_(people) {}

    bool own(uid_t owner) const { return owner != caller_ && people_.isPerson(owner); }

private:
    uid_t caller_;
    People people_;
};

} // namespace zn
