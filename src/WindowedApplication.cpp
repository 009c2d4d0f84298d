#include "WindowedApplication.h"

#include "AppEnvironment.h"
#include "DisplayAvailability.h"
#include "Platform/qt/EventLoopMainQueue.h"
#include "SingleInstance.h"
#include "ZelvaNexalApp.h"

#include <QApplication>
#include <iostream>

namespace zn {

int runWindowedApplication(int argc, char* argv[]) {
    if (!canOpenAWindow(processEnvironmentVariable)) {
        std::cerr << "zelvanexal: cannot open a window: no display; try 'zelvanexal help'\n";
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelva Nexal"));

    SingleInstance instance(SingleInstance::userRuntimeFolder());
    switch (instance.claim()) {
    case SingleInstance::Claim::first:
        break;
    case SingleInstance::Claim::handedOver:
        return 0;
    case SingleInstance::Claim::runningCopyMute:
        std::cerr << "zelvanexal: a running copy did not answer; it may be busy, try again\n";
        return 1;
    }

    EventLoopMainQueue mainQueue;
    ZelvaNexalApp app(liveAppEnvironment());
    QObject::connect(&instance, &SingleInstance::activationRequested, &app,
                     [&app] { app.menuBar().showMainWindow(); });
    app.start();
    return QApplication::exec();
}

} // namespace zn
