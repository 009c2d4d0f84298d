#include "AppDelegate.h"

#include "Services/FullDiskAccessManager.h"
#include "Views/Components/AppIcon.h"

#include <QApplication>
#include <QMainWindow>
#include <QSystemTrayIcon>
#include <QTimer>

namespace zn {

AppDelegate::AppDelegate(const FullDiskAccessManager& accessManager, QObject* parent)
    : QObject(parent), accessManager_(accessManager) {
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            applicationDidBecomeActive();
    });
}

void AppDelegate::applicationDidFinishLaunching() {
    QApplication::setQuitOnLastWindowClosed(
        shouldTerminateAfterLastWindowClosed(QSystemTrayIcon::isSystemTrayAvailable()));
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
