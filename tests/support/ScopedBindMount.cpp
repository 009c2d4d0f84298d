#include "support/ScopedBindMount.h"

#include <cerrno>
#include <sys/mount.h>

namespace zn::test {

ScopedBindMount::ScopedBindMount(std::string source, std::string target) : target_(std::move(target)) {
    if (::mount(source.c_str(), target_.c_str(), nullptr, MS_BIND, nullptr) != 0)
        error_ = errno;
}

ScopedBindMount::~ScopedBindMount() {
    if (error_ == 0)
        ::umount2(target_.c_str(), MNT_DETACH);
}

} // namespace zn::test
