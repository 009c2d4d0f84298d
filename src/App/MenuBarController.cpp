#include "App/MenuBarController.h"

#include "Platform/qt/DesktopColorScheme.h"
#include "ViewModels/AppState.h"
#include "Views/Kit/Theme/AppIcon.h"
#include "Views/Kit/Theme/PlatformColors.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMainWindow>
#include <QTimer>

namespace zn {

namespace {

// The window a click should bring forward: the active one when it is a main window, else the first open.
QMainWindow* frontMainWindow() {
    if (auto* active = qobject_cast<QMainWindow*>(QApplication::activeWindow());
        active && active->isVisible())
        return active;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<QMainWindow*>(widget); window && window->isVisible())
            return window;
    return nullptr;
}

} // namespace

MenuBarController::MenuBarController(Actions actions, const DesktopColorScheme& desktop, QObject* parent)
    : QObject(parent), actions_(std::move(actions)), desktop_(desktop), menu_(std::make_unique<QMenu>()) {
    connect(menu_.get(), &QMenu::aboutToShow, this, [this] {
        rebuildMenu();
        isMenuOpen_ = true;
    });
    connect(menu_.get(), &QMenu::aboutToHide, this, [this] { isMenuOpen_ = false; });
}

MenuBarController::~MenuBarController() = default;

void MenuBarController::configure(AppState* state, bool onboardingComplete,
                                  std::function<void()> openMainWindow) {
    if (appState_ != state)
        watch(state);
    onboardingComplete_ = onboardingComplete;
    openMainWindow_ = std::move(openMainWindow);
    if (!statusItem_)
        installStatusItem();
    rebuildMenu();
}

void MenuBarController::watch(AppState* state) {
    disconnect(scanStateConnection_);
    disconnect(accessConnection_);
    appState_ = state;
    if (!state)
        return;
    scanStateConnection_ = connect(state, &AppState::scanStateChanged, this, &MenuBarController::rebuildMenu);
    accessConnection_ =
        connect(state, &AppState::hasFullDiskAccessChanged, this, &MenuBarController::rebuildMenu);
}

bool MenuBarController::isWorking() const {
    return appState_ && appState_->scanState().isBusy();
}

MenuBarConditions MenuBarController::conditions() const {
    return {appState_ != nullptr, appState_ && appState_->hasFullDiskAccess(), isWorking(),
            onboardingComplete_};
}

void MenuBarController::installStatusItem() {
    statusItem_ = std::make_unique<QSystemTrayIcon>();
    paintStatusIcon();
    connect(&desktop_, &DesktopColorScheme::changed, this, &MenuBarController::paintStatusIcon);
    statusItem_->setToolTip(QStringLiteral("Zelva Nexal"));
    // Hosts that draw the menu themselves (StatusNotifierItem) need it attached.
    statusItem_->setContextMenu(menu_.get());
    connect(statusItem_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context)
                    statusBarButtonClicked();
            });
    statusItem_->show();
}

void MenuBarController::paintStatusIcon() {
    statusItem_->setIcon(menuBarIcon(platformColor(PlatformColor::primaryLabel, desktop_.current())));
}

QIcon MenuBarController::statusIcon() const {
    return statusItem_ ? statusItem_->icon() : QIcon();
}

void MenuBarController::rebuildMenu() {
    menu_->clear();
    for (const MenuBarRow& row : menuBarRows(conditions())) {
        if (row.isSeparator) {
            menu_->addSeparator();
            continue;
        }
        QAction* action = menu_->addAction(QString::fromStdString(row.title));
        action->setEnabled(row.enabled);
        if (auto chosen = row.action)
            // Later, once the menu has closed: the action may rebuild this very menu.
            connect(action, &QAction::triggered, this,
                    [this, chosen] { QTimer::singleShot(0, this, [this, chosen] { perform(*chosen); }); });
    }
}

void MenuBarController::statusBarButtonClicked() {
    if (isMenuOpen_)
        return;
    rebuildMenu();
    isMenuOpen_ = true;
    QRect icon = statusItem_ ? statusItem_->geometry() : QRect();
    menu_->popup(icon.isValid() ? icon.bottomLeft() : QCursor::pos());
}

void MenuBarController::showMainWindow() {
    QMainWindow* window = frontMainWindow();
    if (!window && openMainWindow_) {
        // A copy: the new window configures this controller again, replacing the stored closure.
        const std::function<void()> open = openMainWindow_;
        open();
        window = frontMainWindow();
    }
    if (!window)
        return;
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
}

void MenuBarController::perform(MenuBarAction action) {
    switch (action) {
    case MenuBarAction::openApp:
        showMainWindow();
        return;
    case MenuBarAction::scanMac:
        showMainWindow();
        if (appState_)
            appState_->startSmartScan();
        return;
    case MenuBarAction::clearBrowserPrivacy:
        showMainWindow();
        if (appState_)
            appState_->scanAndCleanCategory(CleaningCategory::privacySweep);
        return;
    case MenuBarAction::openAccessSettings:
        showMainWindow();
        if (appState_ && actions_.openFullDiskAccessSettings)
            actions_.openFullDiskAccessSettings();
        return;
    case MenuBarAction::quit:
        if (actions_.quit)
            actions_.quit();
        return;
    }
}

} // namespace zn
