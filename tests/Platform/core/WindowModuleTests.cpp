#include "Platform/core/WindowModule.h"
#include "support/FixtureTree.h"

#include <dlfcn.h>
#include <gnu/libc-version.h>
#include <gtest/gtest.h>
#include <sstream>

namespace zn {
namespace {

TEST(WindowModule, AMissingModuleOrEntryIsNamedAndFails) {
    test::FixtureTree tree;
    char program[] = "zelvanexal";
    char* argv[] = {program, nullptr};

    std::ostringstream missing;
    EXPECT_EQ(runWindowModule(1, argv, missing, tree.folder("bin")), 1);
    EXPECT_EQ(missing.str(), "zelvanexal: cannot load the window: no zelvanexal-window.so in " +
                                 tree.path("bin") + " or " + tree.path("bin") +
                                 "/" ZN_WINDOW_MODULE_INSTALL_DIR "\n");

    // A library that is not the module: found, loaded, and refused for want of the entry.
    Dl_info libc{};
    // A function no sanitizer stands in for, so that it is found in the C library itself.
    ASSERT_NE(::dladdr(reinterpret_cast<void*>(&::gnu_get_libc_version), &libc), 0);
    tree.symlink("bin/" + std::string(kWindowModuleFile), libc.dli_fname);
    std::ostringstream noEntry;
    EXPECT_EQ(runWindowModule(1, argv, noEntry, tree.path("bin")), 1);
    EXPECT_NE(noEntry.str().find("zelvanexal_run_window"), std::string::npos) << noEntry.str();
}

} // namespace
} // namespace zn
