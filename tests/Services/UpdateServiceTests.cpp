#include "Services/UpdateService.h"
#include "appsupport/AppStateHarness.h"
#include "appsupport/RecordingUrlOpener.h"

#include <QThread>
#include <gtest/gtest.h>
#include <thread>

namespace zn {
namespace {

TEST(UpdateService, OpensTheDownloadPageOnTheMainThreadWithOrWithoutAFeed) {
    for (std::optional<std::string> feed :
         {std::optional<std::string>{}, std::optional<std::string>{"https://x/a.xml"},
          std::optional<std::string>{""}}) {
        auto opener = std::make_shared<test::RecordingUrlOpener>();
        UpdateService service(
            opener, QUrl("https://zelvanexal.test/download"),
            [feed](const std::string& key) { return key == "SUFeedURL" ? feed : std::nullopt; });
        std::thread caller([&] { service.checkForUpdates(); });
        caller.join();
        EXPECT_TRUE(opener->urls().empty());
        ASSERT_TRUE(test::waitUntil([&] { return !opener->urls().empty(); }));
        EXPECT_EQ(opener->urls(), std::vector<QUrl>{QUrl("https://zelvanexal.test/download")});
        EXPECT_EQ(opener->threads()[0], QThread::currentThread());
    }
}

TEST(UpdateService, TheDefaultPageIsTheConfiguredOne) {
    auto opener = std::make_shared<test::RecordingUrlOpener>();
    UpdateService service(opener);
    service.checkForUpdates();
    ASSERT_TRUE(test::waitUntil([&] { return !opener->urls().empty(); }));
    EXPECT_EQ(opener->urls()[0].toString(), ZN_DOWNLOAD_PAGE_URL);
}

} // namespace
} // namespace zn
