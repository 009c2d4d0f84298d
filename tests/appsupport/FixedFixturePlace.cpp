#include "appsupport/FixedFixturePlace.h"

#include "support/FixtureTree.h"

#include <filesystem>
#include <sched.h>
#include <string>
#include <sys/mount.h>

namespace zn::test {

namespace {
// A folder every Linux has, that a run does not need to see and a build tree rarely lies in.
constexpr const char* kPlace = "/media";
} // namespace

void placeFixturesAtAFixedPath() {
    std::error_code error;
    const std::string scratch = std::filesystem::weakly_canonical(ZN_TEST_SCRATCH_DIR, error).string();
    if (error || scratch.starts_with(std::string(kPlace) + "/"))
        return;
    // Private propagation first: the mount below must never show outside this process.
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return;
    if (::mount("zn-fixtures", kPlace, "tmpfs", MS_NOSUID | MS_NODEV, "mode=0755") != 0)
        return;
    placeFixturesIn(kPlace);
}

} // namespace zn::test
