#include "App/MenuBarRows.h"

namespace zn {

std::vector<MenuBarRow> menuBarRows(const MenuBarConditions& conditions) {
    const bool canScan = !conditions.isWorking && conditions.onboardingComplete;
    std::vector<MenuBarRow> rows{
        MenuBarRow::item("Open Zelva Nexal", true, MenuBarAction::openApp),
        MenuBarRow::separator(),
        MenuBarRow::item("Scan my Mac", canScan, MenuBarAction::scanMac),
        MenuBarRow::item("Clear browser privacy", canScan, MenuBarAction::clearBrowserPrivacy),
    };
    if (conditions.stateExists && !conditions.hasFullDiskAccess) {
        rows.push_back(MenuBarRow::separator());
        rows.push_back(MenuBarRow::item("Allow more access...", true, MenuBarAction::openAccessSettings));
    }
    if (conditions.isWorking) {
        rows.push_back(MenuBarRow::separator());
        rows.push_back(MenuBarRow::item("Zelva Nexal is working...", false, std::nullopt));
    }
    rows.push_back(MenuBarRow::separator());
    rows.push_back(MenuBarRow::item("Quit Zelva Nexal", true, MenuBarAction::quit));
    return rows;
}

} // namespace zn
