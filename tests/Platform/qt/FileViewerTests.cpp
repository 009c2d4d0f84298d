#include "Platform/qt/FileViewer.h"
#include "appsupport/AppStateHarness.h"
#include "appsupport/RecordingUrlOpener.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

TEST(FileViewer, WithoutAFileManagerTheEnclosingFolderOpens) {
    auto opener = std::make_shared<test::RecordingUrlOpener>();
    DesktopFileViewer viewer(opener, "org.zelvanexal.test.NoFileManager");
    viewer.reveal("/opt/zelvanexal/bin/zelvanexal");
    ASSERT_TRUE(test::waitUntil([&] { return !opener->urls().empty(); }));
    EXPECT_EQ(opener->urls(), std::vector<QUrl>{QUrl::fromLocalFile("/opt/zelvanexal/bin")});
}

} // namespace
} // namespace zn
