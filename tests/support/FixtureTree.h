#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace zn::test {

// Trees are made under `folder` from now on, numbered from 1 by the lowest number free, instead of under the
// build tree by process id: for a run that holds `folder` alone, so that the paths its screens show are the
// same on every run.
void placeFixturesIn(std::string folder);

// A fresh folder under the build tree (or where placeFixturesIn() says), laid out by a test like a user's
// home, and removed afterwards. Never under /tmp: that is an allowed cleaning root, so a fixture there could
// make a refusal test pass by accident.
class FixtureTree {
public:
    FixtureTree();
    ~FixtureTree();
    FixtureTree(const FixtureTree&) = delete;
    FixtureTree& operator=(const FixtureTree&) = delete;

    const std::string& root() const { return root_; }
    // The absolute path of `relative` inside the tree.
    std::string path(const std::string& relative) const;

    // Each creates the missing parent folders and returns the absolute path.
    std::string folder(const std::string& relative);
    // A file of exactly `size` bytes (sparse, so large sizes cost nothing).
    std::string file(const std::string& relative, std::int64_t size);
    std::string textFile(const std::string& relative, const std::string& contents);
    // An executable shell script: the fake stand-in for an external tool.
    std::string executable(const std::string& relative, const std::string& script);
    std::string symlink(const std::string& relative, const std::string& target);
    // Sets the modification time of an existing entry without following a final symlink.
    void setModificationTime(const std::string& relative, std::time_t seconds);

private:
    std::string root_;
};

} // namespace zn::test
