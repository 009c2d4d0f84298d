#pragma once

#include "Platform/core/SafeRemoval.h"

#include <string>
#include <sys/types.h>

namespace zn::test {

// The removal's own file operations with another person at work: right after the removal looks at an
// entry of `folder`, the person renames a file of their own (from `stash`, a folder of theirs holding
// files "0", "1"...) over that entry's name, as anyone who may write to a folder can between a look and an
// act on a name. The person acts with their own file-system ids, so the folder's rights bind them: a
// sticky bit refuses them.
class RenamingOverNames : public SystemRemovalFileOperations {
public:
    RenamingOverNames(const std::string& folder, std::string stash, uid_t person, gid_t group);

    int status(int parentFd, const std::string& name, EntryStatus& status) override;

    // How many of the person's files were renamed over a name.
    int renamed() const { return renamed_; }

    // Makes the stash: `count` files of the person's in a folder of theirs.
    static void makeStash(const std::string& stash, int count, uid_t person, gid_t group);

private:
    dev_t device_ = 0;
    ino_t inode_ = 0;
    std::string stash_;
    uid_t person_;
    gid_t group_;
    int next_ = 0;
    int renamed_ = 0;
};

} // namespace zn::test
