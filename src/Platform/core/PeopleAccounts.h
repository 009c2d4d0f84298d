#pragma once

#include <string>
#include <sys/types.h>

namespace zn {

// The user ids the system gives to people, as opposed to root and the accounts of services.
struct PersonUidRange {
    uid_t first = 1000;
    uid_t last = 60000;

    bool contains(uid_t user) const { return user >= first && user <= last; }

    // UID_MIN and UID_MAX of `loginDefinitions` (the system's login.defs), each left at its default where
    // the file does not set it to a number; a range the file turns upside down is not taken.
    static PersonUidRange fromLoginDefinitions(const std::string& loginDefinitions = "/etc/login.defs");
};

// The people other than `caller`: what one of them owns is never removed or moved for the caller, whoever
// asks. Root's and the service accounts' entries are not theirs.
class OtherPeople {
public:
    OtherPeople(uid_t caller, PersonUidRange people) : caller_(caller), people_(people) {}

    bool own(uid_t owner) const { return owner != caller_ && people_.contains(owner); }

private:
    uid_t caller_;
    PersonUidRange people_;
};

} // namespace zn
