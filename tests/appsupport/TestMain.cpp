#include "Views/Kit/Motion/Motion.h"
#include "Views/Kit/Theme/AppTheme.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// Screens and application state are tested headless, with one application object for the whole run.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    // Screens are drawn as the program draws them, light unless a test asks for dark, every animation at
    // its final frame.
    zn::AppTheme::installStyle();
    QApplication::setPalette(zn::AppTheme::palette(zn::ColorScheme::light));
    zn::Motion::setEnabled(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
