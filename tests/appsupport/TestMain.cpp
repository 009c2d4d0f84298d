#include "Views/Kit/Motion/Motion.h"
#include "Views/Kit/Theme/AppTheme.h"
#include "appsupport/FixedFixturePlace.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// Screens and application state are tested headless, with one application object for the whole run.
int main(int argc, char** argv) {
    zn::test::placeFixturesAtAFixedPath();
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    // Screens are drawn as the program draws them, light unless a test asks for dark, every animation at
    // its final frame.
    zn::AppTheme::installStyle();
    QApplication::setPalette(zn::AppTheme::palette(zn::ColorScheme::light));
    zn::Motion::setEnabled(false);
    // A blinking text cursor would be in one screenshot and not in the next: it stays on.
    QApplication::setCursorFlashTime(0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
