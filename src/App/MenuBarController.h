#pragma once

#include "App/MenuBarRows.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>

namespace zn {

class AppState;
class DesktopColorScheme;

// The tray item and its menu, which stay when every window is closed. The menu is rebuilt from the row
// model before every use and whenever the scan state, the access state or the onboarding flag changes,
// since some tray hosts show it without asking first. The item sits on the desktop's panel, outside every
// window, so its glyph takes the desktop's colour scheme, never the program's chosen appearance; a panel
// that does not follow that scheme still shows the glyph's contrasting outline.
class MenuBarController : public QObject {
    Q_OBJECT

public:
    struct Actions {
        std::function<void()> openFullDiskAccessSettings;
        std::function<void()> quit;
    };

    MenuBarController(Actions actions, const DesktopColorScheme& desktop, QObject* parent = nullptr);
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
    // The tray item's icon as the panel shows it; null before the item is installed.
    QIcon statusIcon() const;

private:
    void installStatusItem();
    void paintStatusIcon();
    void watch(AppState* state);

    Actions actions_;
    const DesktopColorScheme& desktop_;
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
