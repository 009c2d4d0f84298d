#include "App/WindowedApplication.h"

#include "App/AppEnvironment.h"
#include "App/DisplayAvailability.h"
#include "App/SingleInstance.h"
#include "App/ZelvaNexalApp.h"
#include "Platform/qt/EventLoopMainQueue.h"

#include <QApplication>
#include <cstdlib>
#include <iostream>

namespace zn {

namespace {

QtMessageHandler handlerBeforeStart = nullptr;

// Qt ends the process with an abort and a core dump when the display it was given cannot be reached (a
// stale DISPLAY left by a remote session, a stopped compositor). While the application object starts, its
// fatal message becomes the program's own line and exit status; other messages pass through.
void endFailedStartPlainly(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        std::cerr
            << "zelvanexal: cannot open a window: the display could not be opened; try 'zelvanexal help'\n";
        std::_Exit(1);
    }
    if (handlerBeforeStart)
        handlerBeforeStart(type, context, message);
    else
        std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << '\n';
}

} // namespace

int runWindowedApplication(int argc, char* argv[]) {
    if (!canOpenAWindow(processEnvironmentVariable)) {
        std::cerr << "zelvanexal: cannot open a window: no display; try 'zelvanexal help'\n";
        return 1;
    }
    handlerBeforeStart = qInstallMessageHandler(endFailedStartPlainly);
    QApplication application(argc, argv);
    qInstallMessageHandler(handlerBeforeStart);
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
