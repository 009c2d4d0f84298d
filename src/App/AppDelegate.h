#pragma once

#include <QObject>
#include <functional>

namespace zn {

class FullDiskAccessManager;

// What the program does around its windows: it stays running when the last window closes while a tray
// item can reach it, sets its icon, touches the protected locations so the system lists it under Full
// Disk Access, and styles its windows at launch and on every activation.
class AppDelegate : public QObject {
    Q_OBJECT

public:
    // `trayAvailable` tells whether the desktop shows tray items at the moment it is asked.
    explicit AppDelegate(const FullDiskAccessManager& accessManager, std::function<bool()> trayAvailable,
                         QObject* parent = nullptr);

    // Without a tray there is no other way back to a closed window, so the last window ends the program.
    static bool shouldTerminateAfterLastWindowClosed(bool trayAvailable) { return !trayAvailable; }

    void applicationDidFinishLaunching();
    void applicationDidBecomeActive();

    static void applyApplicationIcon();
    // Every window that can be a main window: opaque, on the window background colour.
    static void styleWindows();

private:
    const FullDiskAccessManager& accessManager_;
    std::function<bool()> trayAvailable_;
};

} // namespace zn
