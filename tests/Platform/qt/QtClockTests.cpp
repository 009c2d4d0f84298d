#include "Platform/qt/QtClock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <gtest/gtest.h>
#include <memory>

namespace zn {
namespace {

void runEventsFor(int milliseconds) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

TEST(QtClock, CallsOnceUnlessCancelledOrTheContextIsGone) {
    QtClock clock;
    auto context = std::make_unique<QObject>();
    std::vector<std::string> calls;
    clock.callAfter(std::chrono::milliseconds(5), context.get(), [&] { calls.push_back("kept"); });
    ScheduledCall cancelled =
        clock.callAfter(std::chrono::milliseconds(5), context.get(), [&] { calls.push_back("cancelled"); });
    cancelled.cancel();
    cancelled.cancel();
    auto shortLived = std::make_unique<QObject>();
    ScheduledCall orphan =
        clock.callAfter(std::chrono::milliseconds(5), shortLived.get(), [&] { calls.push_back("orphan"); });
    shortLived.reset();
    orphan.cancel(); // harmless after its context went away

    runEventsFor(100);
    EXPECT_EQ(calls, std::vector<std::string>{"kept"});
    auto before = std::chrono::system_clock::now();
    EXPECT_LE(before - clock.now(), std::chrono::seconds(1));
}

} // namespace
} // namespace zn
