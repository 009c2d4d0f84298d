#pragma once

#include "ViewModels/AppStateServices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <string>

// What the window benchmarks share: an application that times its events, a probe of the GUI thread's
// stalls, and the state's services on real engines rooted in a synthetic home.
namespace zn::bench {

// Times each event the GUI thread handles, so a stall can be told apart from the machine being busy
// elsewhere: a stall without a slow event was time the thread did not get.
class TimedApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override;

    double slowest = 0;
    QString slowestWhat;
};

// Counts the repaints of every widget and measures how late a 5 ms timer fires on the GUI thread.
class Probe : public QObject {
public:
    static constexpr int kInterval = 5;

    Probe();

    void start();
    void stop() { timer_.stop(); }

    double seconds() const { return static_cast<double>(phase_.elapsed()) / 1000; }
    double worstLateness() const { return worstLateness_; }
    long repaints() const { return repaints_; }
    long stallsOverAFrame() const { return stalls_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override;

private:
    void tick();

    QTimer timer_;
    QElapsedTimer phase_;
    QElapsedTimer last_;
    double worstLateness_ = 0;
    long repaints_ = 0;
    long stalls_ = 0;
};

// Runs the event loop until `done` holds.
void runUntil(const std::function<bool()>& done);
// Runs the event loop for `milliseconds`.
void runFor(int milliseconds);
// One line of figures for a phase.
void report(const char* phase, const Probe& probe);

// The resident set of this process, in MB, as /proc/self/status gives it (VmRSS, or VmHWM for the peak).
double residentMegabytes(const char* field = "VmRSS:");

// Real scan and cleaning engines on `home`, the system folders under `home`/system, access granted, no
// prompts, no notifications, no installed applications.
AppStateServices benchStateServices(const std::string& home);

} // namespace zn::bench
