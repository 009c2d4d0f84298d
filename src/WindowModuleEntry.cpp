#include "AppEnvironment.h"
#include "Platform/core/WindowModule.h"
#include "Platform/qt/EventLoopMainQueue.h"
#include "ZelvaNexalApp.h"

#include <QApplication>
#include <type_traits>

// The windowed program, called by the program once it knows no command word was given.
extern "C" __attribute__((visibility("default"))) int zelvanexal_run_window(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelva Nexal"));
    zn::EventLoopMainQueue mainQueue;
    zn::ZelvaNexalApp app(zn::liveAppEnvironment());
    app.start();
    return QApplication::exec();
}

static_assert(std::is_same_v<decltype(&zelvanexal_run_window), zn::WindowModuleEntry>);
