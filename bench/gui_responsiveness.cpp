// Runs the application state and the Quick Clean dashboard, shown on the offscreen platform with motion on,
// over a synthetic home of about 200,000 files: a smart scan, then a clean of what it selects by default,
// then the cleaned state with its confetti until the dashboard is idle again. For each phase it reports the
// GUI thread's longest stall (the worst lateness of a 5 ms probe timer) and the number of repaints.
//
//   bench_gui_responsiveness [--files N] [--folders N] [--scratch DIR]
//
// With ZN_STALLS set in the environment it also lists each stall over 16 ms and each widget paint over 8 ms.
//
// The home is built under the build directory (next to this program) unless --scratch names another place,
// and it is removed before the program ends.

#include "Platform/qt/QtClock.h"
#include "Services/CleaningEngine.h"
#include "Services/ScanEngine.h"
#include "ViewModels/AppState.h"
#include "ViewModels/CleaningEngineService.h"
#include "ViewModels/ScanEngineService.h"
#include "Views/Dashboard/CompletedHero.h"
#include "Views/Dashboard/CompletedLayout.h"
#include "Views/Dashboard/DashboardView.h"
#include "Views/Dashboard/IdleHero.h"
#include "Views/Dashboard/IdleLayout.h"
#include "Views/Kit/Controls/ActionButton.h"
#include "Views/Kit/Feedback/AlertDialog.h"
#include "Views/Kit/Feedback/AlertPrompter.h"
#include "Views/Kit/Motion/Motion.h"
#include "Views/Kit/Theme/AppTheme.h"
#include "support/SyntheticHome.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>

namespace {

using namespace zn;
using namespace zn::bench;
namespace fs = std::filesystem;

struct Settings {
    long files = 200'000;
    long folders = 20'000;
    std::string scratch;
};

Settings parse(int argc, char** argv) {
    Settings settings;
    settings.scratch = fs::path(fs::read_symlink("/proc/self/exe")).parent_path().string() + "/bench-scratch";
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        const std::string value = argv[i + 1];
        if (flag == "--files")
            settings.files = std::stol(value);
        else if (flag == "--folders")
            settings.folders = std::stol(value);
        else if (flag == "--scratch")
            settings.scratch = value;
        else {
            std::fprintf(stderr,
                         "usage: bench_gui_responsiveness [--files N] [--folders N] [--scratch DIR]\n");
            std::exit(2);
        }
    }
    return settings;
}

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

// Times each event the GUI thread handles, so a stall can be told apart from the machine being busy
// elsewhere: a stall without a slow event was time the thread did not get.
class TimedApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        QElapsedTimer timer;
        timer.start();
        const bool handled = QApplication::notify(receiver, event);
        const double milliseconds = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        if (milliseconds > 8 && std::getenv("ZN_STALLS") && event->type() == QEvent::Paint)
            std::printf("      paint %.1f ms %s\n", milliseconds, receiver->metaObject()->className());
        if (milliseconds > slowest) {
            slowest = milliseconds;
            slowestWhat = QStringLiteral("%1 to %2")
                              .arg(static_cast<int>(event->type()))
                              .arg(QString::fromLatin1(receiver->metaObject()->className()));
        }
        return handled;
    }

    double slowest = 0;
    QString slowestWhat;
};

// Counts the repaints of every widget and measures how late a 5 ms timer fires on the GUI thread.
class Probe : public QObject {
public:
    static constexpr int kInterval = 5;

    Probe() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(kInterval);
        QObject::connect(&timer_, &QTimer::timeout, this, &Probe::tick);
        qApp->installEventFilter(this);
    }

    void start() {
        worstLateness_ = 0;
        repaints_ = 0;
        stalls_ = 0;
        phase_.start();
        last_.start();
        timer_.start();
    }
    void stop() { timer_.stop(); }

    double seconds() const { return static_cast<double>(phase_.elapsed()) / 1000; }
    double worstLateness() const { return worstLateness_; }
    long repaints() const { return repaints_; }
    long stallsOverAFrame() const { return stalls_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++repaints_;
        return false;
    }

private:
    void tick() {
        const double lateness = static_cast<double>(last_.nsecsElapsed()) / 1e6 - kInterval;
        last_.start();
        worstLateness_ = std::max(worstLateness_, lateness);
        if (lateness > 16) {
            ++stalls_;
            if (std::getenv("ZN_STALLS"))
                std::printf("    stall %.1f ms at %.3f s\n", lateness, seconds());
        }
    }

    QTimer timer_;
    QElapsedTimer phase_;
    QElapsedTimer last_;
    double worstLateness_ = 0;
    long repaints_ = 0;
    long stalls_ = 0;
};

void runUntil(const std::function<bool()>& done) {
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
}

void report(const char* phase, const Probe& probe) {
    auto& application = static_cast<TimedApplication&>(*qApp);
    std::printf("  %-26s %6.2f s  longest stall %5.1f ms  stalls over 16 ms %3ld  repaints %5ld  "
                "slowest event %5.1f ms (type %s)\n",
                phase, probe.seconds(), probe.worstLateness(), probe.stallsOverAFrame(), probe.repaints(),
                application.slowest, qPrintable(application.slowestWhat));
    application.slowest = 0;
}

int run(const Settings& settings) {
    const std::string root = settings.scratch + "/home-" + std::to_string(::getpid());
    SyntheticHome home(root, std::max(1L, settings.files / std::max(1L, settings.folders)));
    build(home, settings.files, settings.folders);
    std::printf("synthetic home: %ld files in %ld folders under %s\n", home.files(), home.folders(),
                root.c_str());

    ScanEngineOptions options;
    for (std::string* path : {&options.systemCaches, &options.systemLogs, &options.systemLogFiles,
                              &options.temporaryFiles, &options.systemTemporaryFiles})
        *path = root + "/system" + *path;
    AppStateServices services{
        std::make_shared<ScanEngineService>(std::make_shared<ScanEngine>(root, options)),
        std::make_shared<CleaningEngineService>(std::make_shared<CleaningEngine>(root)),
        [] { return std::vector<InstalledApp>{}; },
        [] { return true; },
        std::make_shared<NoPrompt>(),
        std::make_shared<QtClock>(),
        std::make_shared<AlertPrompter>(),
        std::shared_ptr<Workspace>(&Workspace::shared(), [](Workspace*) {}),
        std::make_shared<UserDefaults>(QString::fromStdString(root + "/settings.ini")),
        [] {},
        std::make_shared<SilentNotifier>(),
        UninstallServices{},
    };
    AppState state(false, std::move(services));
    state.loadDiskInfo();
    DashboardView dashboard(state);
    dashboard.resize(1000, 760);
    dashboard.show();
    const auto kind = [&] { return state.scanState().kind(); };

    Probe probe;
    std::printf("phases (motion on):\n");
    probe.start();
    dashboard.idleLayout().hero().scanButton().click();
    runUntil([&] { return kind() == ScanState::Kind::completed; });
    probe.stop();
    report("smart scan", probe);
    std::printf("  found %lld bytes in %zu categories, %zu items selected\n",
                static_cast<long long>(state.totalJunkSize()), state.allResults().size(),
                state.selectedItemsToClean().size());

    QCoreApplication::processEvents();
    probe.start();
    dashboard.completedLayout().hero().cleanButton().click();
    if (AlertDialog* dialog = dashboard.reviewDialog())
        dialog->buttons().front()->click();
    runUntil([&] { return kind() == ScanState::Kind::cleaned; });
    probe.stop();
    report("clean", probe);
    std::printf("  freed %lld bytes\n", static_cast<long long>(state.totalFreedSpace()));

    probe.start();
    runUntil([&] { return kind() == ScanState::Kind::idle && dashboard.confetti().burstCount() == 0; });
    probe.stop();
    report("cleaned, confetti, idle", probe);
    std::printf("goal: no stall over 50 ms\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TimedApplication application(argc, argv);
    AppTheme::installStyle();
    QApplication::setPalette(AppTheme::palette(ColorScheme::light));
    Motion::setEnabled(true);
    try {
        return run(parse(argc, argv));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_gui_responsiveness: %s\n", error.what());
        return 1;
    }
}
