#include "App/AppDelegate.h"
#include "Services/FullDiskAccessManager.h"
#include "support/FixtureTree.h"

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

namespace zn {
namespace {

// Runs the event loop while the last window closes; 0 when the program was asked to quit, 7 when it was
// still running half a second later.
int exitCodeAfterTheLastWindowCloses() {
    QTimer::singleShot(0, [] { emit qApp->lastWindowClosed(); });
    QTimer::singleShot(500, [] { QApplication::exit(7); });
    return QApplication::exec();
}

TEST(AppDelegate, TheLastWindowEndsTheProgramOnlyWhenNoTrayCanBringItBack) {
    test::FixtureTree tree;
    FullDiskAccessOptions access;
    access.protection = PrivacyProtection::none;
    access.locations = FullDiskAccessLocations::forHome(tree.path("home"));
    const FullDiskAccessManager manager(access);
    bool trayShown = false;
    AppDelegate delegate(manager, [&] { return trayShown; });
    delegate.applicationDidFinishLaunching();
    EXPECT_FALSE(QApplication::quitOnLastWindowClosed());

    // A tray that appeared after launch (a panel started later, as at login) keeps the program running.
    trayShown = true;
    EXPECT_EQ(exitCodeAfterTheLastWindowCloses(), 7);
    trayShown = false;
    EXPECT_EQ(exitCodeAfterTheLastWindowCloses(), 0);
}

} // namespace
} // namespace zn
