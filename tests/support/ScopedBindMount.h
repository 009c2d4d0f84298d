#pragma once

#include <string>

namespace zn::test {

inline constexpr const char* kNeedsRootToBindMount = "needs root: it bind-mounts a folder";

// Attaches the folder `source` at the folder `target` (mount --bind) for the life of the object, then
// detaches it, before the fixture tree that holds both is removed. Only root may, and some sandboxes refuse
// even root: error() is then EPERM, and the test is skipped.
class ScopedBindMount {
public:
    ScopedBindMount(std::string source, std::string target);
    ~ScopedBindMount();
    ScopedBindMount(const ScopedBindMount&) = delete;
    ScopedBindMount& operator=(const ScopedBindMount&) = delete;

    // 0 when the folder is attached, else the errno of mount(2).
    int error() const { return error_; }

private:
    std::string target_;
    int error_ = 0;
};

} // namespace zn::test
