#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zn {

enum class MenuBarAction { openApp, scanMac, clearBrowserPrivacy, openAccessSettings, quit };

// One row of the tray item's menu: a separator or an item with its title, whether it can be chosen and
// what choosing it does.
struct MenuBarRow {
    bool isSeparator = false;
    std::string title;
    bool enabled = false;
    std::optional<MenuBarAction> action;

    static MenuBarRow separator() { return {true, {}, false, std::nullopt}; }
    static MenuBarRow item(std::string title, bool enabled, std::optional<MenuBarAction> action) {
        return {false, std::move(title), enabled, action};
    }
    bool operator==(const MenuBarRow&) const = default;
};

// What the menu depends on.
struct MenuBarConditions {
    bool stateExists = false;       // the application state is still there
    bool hasFullDiskAccess = false; // the state's last known access
    bool isWorking = false;         // a scan or clean runs
    bool onboardingComplete = false;
};

// The menu, top to bottom.
std::vector<MenuBarRow> menuBarRows(const MenuBarConditions& conditions);

} // namespace zn
