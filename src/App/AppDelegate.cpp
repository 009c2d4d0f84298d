#include "App/AppDelegate.h"

#include "Services/FullDiskAccessManager.h"
#include "Views/Kit/Theme/AppIcon.h"

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

namespace zn {

AppDelegate::AppDelegate(const FullDiskAccessManager& accessManager, std::function<bool()> trayAvailable,
                         QObject* parent)
    : QObject(parent), accessManager_(accessManager), trayAvailable_(std::move(trayAvailable)) {
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            applicationDidBecomeActive();
    });
}

void AppDelegate::applicationDidFinishLaunching() {
    // Asked when the last window closes, not at launch: a panel started after this program (as at login)
    // brings its tray later.
    QApplication::setQuitOnLastWindowClosed(false);
    connect(qApp, &QGuiApplication::lastWindowClosed, this, [this] {
        if (shouldTerminateAfterLastWindowClosed(trayAvailable_()))
            QApplication::quit();
    });
    applyApplicationIcon();
    (void)accessManager_.triggerRegistration();
    QTimer::singleShot(0, this, &AppDelegate::styleWindows);
}

void AppDelegate::applicationDidBecomeActive() {
    applyApplicationIcon();
    styleWindows();
}

void AppDelegate::applyApplicationIcon() {
    QApplication::setWindowIcon(applicationIcon());
}

void AppDelegate::styleWindows() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<QMainWindow*>(widget);
        if (!window)
            continue;
        window->setAttribute(Qt::WA_TranslucentBackground, false);
        window->setWindowOpacity(1.0);
        window->setBackgroundRole(QPalette::Window);
        window->setAutoFillBackground(true);
    }
}

} // namespace zn
