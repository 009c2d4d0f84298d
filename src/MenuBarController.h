#pragma once

#include "MenuBarRows.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>

namespace zn {

class AppState;

// The tray item and its menu, which stay when every window is closed. The menu is rebuilt from the row
// model before every use and whenever the scan state, the access state or the onboarding flag changes,
// since some tray hosts show it without asking first.
class MenuBarController : public QObject {
    Q_OBJECT

public:
    struct Actions {
        std::function<void()> openFullDiskAccessSettings;
        std::function<void()> quit;
    };

    explicit MenuBarController(Actions actions, QObject* parent = nullptr);
    ~MenuBarController() override;

    // Remembers the state (weakly), the flag and how to open a new main window; installs the tray item the
    // first time; rebuilds the menu.
    void configure(AppState* state, bool onboardingComplete, std::function<void()> openMainWindow);

    bool isWorking() const;
    MenuBarConditions conditions() const;
    void rebuildMenu();
    // A click on the tray item: shows the menu, unless it is already open.
    void statusBarButtonClicked();
    // Brings the first main window to the front, or opens a new one when there is none.
    void showMainWindow();
    void perform(MenuBarAction action);

    QMenu& menu() { return *menu_; }
    bool isMenuOpen() const { return isMenuOpen_; }
    bool hasStatusItem() const { return statusItem_ != nullptr; }

private:
    void installStatusItem();
    void watch(AppState* state);

    Actions actions_;
    std::unique_ptr<QSystemTrayIcon> statusItem_;
    std::unique_ptr<QMenu> menu_;
    QPointer<AppState> appState_;
    bool onboardingComplete_ = false;
    std::function<void()> openMainWindow_;
    bool isMenuOpen_ = false;
    QMetaObject::Connection scanStateConnection_;
    QMetaObject::Connection accessConnection_;
};

} // namespace zn
