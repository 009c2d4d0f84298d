#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// Screens and application state are tested headless, with one application object for the whole run.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
