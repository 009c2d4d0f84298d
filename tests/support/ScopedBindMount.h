#pragma once

#include <string>

namespace zn::test {

inline constexpr const char* kNeedsRootToBindMount = "needs root: it bind-mounts a folder";
inline constexpr const char* kNeedsRootToMount = "needs root: it mounts a file system of its own";

// A file system attached at a folder for the life of the object, then detached, before the fixture tree
// that holds it is removed. Only root may mount, and some sandboxes refuse even root: error() is then
// EPERM, and the test is skipped.
class ScopedMount {
public:
    ~ScopedMount();
    ScopedMount(const ScopedMount&) = delete;
    ScopedMount& operator=(const ScopedMount&) = delete;

    // 0 when the file system is attached, else the errno of mount(2).
    int error() const { return error_; }

protected:
    // `error`: 0 when mount(2) attached it, else its errno.
    ScopedMount(std::string target, int error);

private:
    std::string target_;
    int error_ = 0;
};

// Attaches the folder `source` at the folder `target` (mount --bind).
class ScopedBindMount : public ScopedMount {
public:
    ScopedBindMount(const std::string& source, const std::string& target);
};

// Mounts a small, empty file system of its own (tmpfs) at the folder `target`: another device than the
// rest of the tree. Its top folder is root's, with mode 0755.
class ScopedTmpfsMount : public ScopedMount {
public:
    explicit ScopedTmpfsMount(const std::string& target);
};

} // namespace zn::test
