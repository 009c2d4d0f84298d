#include "support/ScopedBindMount.h"

#include <cerrno>
#include <sys/mount.h>

namespace zn::test {

namespace {

int errorOf(int mounted) {
    return mounted == 0 ? 0 : errno;
}

} // namespace

ScopedMount::ScopedMount(std::string target, int error) : target_(std::move(target)), error_(error) {}

ScopedMount::~ScopedMount() {
    if (error_ == 0)
        ::umount2(target_.c_str(), MNT_DETACH);
}

ScopedBindMount::ScopedBindMount(const std::string& source, const std::string& target)
    : ScopedMount(target, errorOf(::mount(source.c_str(), target.c_str(), nullptr, MS_BIND, nullptr))) {}

ScopedTmpfsMount::ScopedTmpfsMount(const std::string& target)
    : ScopedMount(target, errorOf(::mount("tmpfs", target.c_str(), "tmpfs", 0, "size=4m,mode=0755"))) {}

} // namespace zn::test
