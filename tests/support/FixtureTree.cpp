#include "support/FixtureTree.h"

#include <atomic>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace zn::test {

namespace fs = std::filesystem;

namespace {

void makeParents(const std::string& path) { fs::create_directories(fs::path(path).parent_path()); }

void ensure(bool ok, const std::string& what) {
    if (!ok)
        throw std::runtime_error("fixture: " + what);
}

std::string& privatePlace() {
    static std::string place;
    return place;
}

std::string freshRoot() {
    if (!privatePlace().empty())
        for (int number = 1;; ++number)
            if (std::string root = privatePlace() + "/tree-" + std::to_string(number); fs::create_directory(root))
                return root;
    static std::atomic<int> counter{0};
    std::string root = std::string(ZN_TEST_SCRATCH_DIR) + "/tree-" + std::to_string(::getpid()) + "-" +
                       std::to_string(counter++);
    fs::remove_all(root);
    fs::create_directories(root);
    return root;
}

} // namespace

void placeFixturesIn(std::string folder) { privatePlace() = std::move(folder); }

FixtureTree::FixtureTree() {
    // Trees are laid out as homes whose folders nobody but their owner may change, whatever the mask of
    // whoever runs the tests (002 under user-private groups): the code refuses folders a group may write to.
    static const bool masked = (::umask(022), true);
    (void)masked;
    root_ = freshRoot();
    // Spelled without links, wherever the build tree lies: tests compare paths that the code resolves.
    root_ = fs::canonical(root_).string();
}

FixtureTree::~FixtureTree() {
    std::error_code error;
    fs::remove_all(root_, error);
}

std::string FixtureTree::path(const std::string& relative) const {
    return relative.empty() ? root_ : root_ + "/" + relative;
}

std::string FixtureTree::folder(const std::string& relative) {
    std::string full = path(relative);
    fs::create_directories(full);
    return full;
}

std::string FixtureTree::file(const std::string& relative, std::int64_t size) {
    std::string full = path(relative);
    makeParents(full);
    int fd = ::open(full.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ensure(fd >= 0, "cannot create " + full);
    ensure(::ftruncate(fd, size) == 0, "cannot size " + full);
    ::close(fd);
    return full;
}

std::string FixtureTree::textFile(const std::string& relative, const std::string& contents) {
    std::string full = path(relative);
    makeParents(full);
    std::ofstream(full, std::ios::binary) << contents;
    return full;
}

std::string FixtureTree::executable(const std::string& relative, const std::string& script) {
    std::string full = textFile(relative, script);
    ensure(::chmod(full.c_str(), 0755) == 0, "cannot chmod " + full);
    return full;
}

std::string FixtureTree::symlink(const std::string& relative, const std::string& target) {
    std::string full = path(relative);
    makeParents(full);
    ensure(::symlink(target.c_str(), full.c_str()) == 0, "cannot link " + full);
    return full;
}

void FixtureTree::setModificationTime(const std::string& relative, std::time_t seconds) {
    struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ensure(::utimensat(AT_FDCWD, path(relative).c_str(), times, AT_SYMLINK_NOFOLLOW) == 0,
           "cannot set time of " + relative);
}

} // namespace zn::test
