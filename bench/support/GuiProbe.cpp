#include "support/GuiProbe.h"

#include "Platform/qt/QtClock.h"
#include "Services/CleaningEngine.h"
#include "Services/ScanEngine.h"
#include "ViewModels/CleaningEngineService.h"
#include "ViewModels/ScanEngineService.h"
#include "Views/Kit/Feedback/AlertPrompter.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace zn::bench {

namespace {

// No prompt is ever needed: access counts as granted.
class NoPrompt final : public PermissionRequester {
public:
    bool isRequesting() const override { return false; }
    void requestAccess(const PermissionPromptContext&, std::vector<std::string>,
                       std::function<void()> onGranted) override {
        onGranted();
    }
};

class SilentNotifier final : public Notifier {
public:
    std::optional<std::string> post(const Notification&) override { return std::nullopt; }
};

} // namespace

bool TimedApplication::notify(QObject* receiver, QEvent* event) {
    // Taken first: the event may delete its receiver (and itself).
    const char* className = receiver->metaObject()->className();
    const int type = static_cast<int>(event->type());
    QElapsedTimer timer;
    timer.start();
    const bool handled = QApplication::notify(receiver, event);
    const double milliseconds = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    if (milliseconds > 8 && std::getenv("ZN_STALLS") && type == QEvent::Paint)
        std::printf("      paint %.1f ms %s\n", milliseconds, className);
    if (milliseconds > slowest) {
        slowest = milliseconds;
        slowestWhat = QStringLiteral("%1 to %2").arg(type).arg(QString::fromLatin1(className));
    }
    return handled;
}

Probe::Probe() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kInterval);
    QObject::connect(&timer_, &QTimer::timeout, this, &Probe::tick);
    qApp->installEventFilter(this);
}

void Probe::start() {
    static_cast<TimedApplication&>(*qApp).slowest = 0;
    worstLateness_ = 0;
    repaints_ = 0;
    stalls_ = 0;
    phase_.start();
    last_.start();
    timer_.start();
}

bool Probe::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint)
        ++repaints_;
    return false;
}

void Probe::tick() {
    const double lateness = static_cast<double>(last_.nsecsElapsed()) / 1e6 - kInterval;
    last_.start();
    worstLateness_ = std::max(worstLateness_, lateness);
    if (lateness > 16) {
        ++stalls_;
        if (std::getenv("ZN_STALLS"))
            std::printf("    stall %.1f ms at %.3f s\n", lateness, seconds());
    }
}

void runUntil(const std::function<bool()>& done) {
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
}

void runFor(int milliseconds) {
    QElapsedTimer elapsed;
    elapsed.start();
    runUntil([&] { return elapsed.elapsed() >= milliseconds; });
}

void report(const char* phase, const Probe& probe) {
    auto& application = static_cast<TimedApplication&>(*qApp);
    std::printf("  %-26s %6.2f s  longest stall %5.1f ms  stalls over 16 ms %3ld  repaints %5ld  "
                "slowest event %5.1f ms (type %s)\n",
                phase, probe.seconds(), probe.worstLateness(), probe.stallsOverAFrame(), probe.repaints(),
                application.slowest, qPrintable(application.slowestWhat));
}

double residentMegabytes(const char* field) {
    std::ifstream status("/proc/self/status");
    const std::string wanted = field;
    for (std::string line; std::getline(status, line);)
        if (line.rfind(wanted, 0) == 0)
            return std::strtod(line.c_str() + wanted.size(), nullptr) / 1024; // kB
    return 0;
}

AppStateServices benchStateServices(const std::string& home) {
    ScanEngineOptions options;
    for (std::string* path : {&options.systemCaches, &options.systemLogs, &options.systemLogFiles,
                              &options.temporaryFiles, &options.systemTemporaryFiles})
        *path = home + "/system" + *path;
    return AppStateServices{
        std::make_shared<ScanEngineService>(std::make_shared<ScanEngine>(home, options)),
        std::make_shared<CleaningEngineService>(std::make_shared<CleaningEngine>(home)),
        [](std::stop_token) { return std::vector<InstalledApp>{}; },
        [] { return true; },
        std::make_shared<NoPrompt>(),
        std::make_shared<QtClock>(),
        std::make_shared<AlertPrompter>(),
        std::shared_ptr<Workspace>(&Workspace::shared(), [](Workspace*) {}),
        std::make_shared<UserDefaults>(QString::fromStdString(home + "/settings.ini")),
        [] {},
        std::make_shared<SilentNotifier>(),
        UninstallServices{},
    };
}

} // namespace zn::bench
