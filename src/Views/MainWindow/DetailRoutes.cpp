#include "Views/MainWindow/DetailRoutes.h"

#include "ViewModels/OrphanRemoval.h"
#include "Views/Apps/AppListView.h"
#include "Views/CategoryDetail/CategoryDetailView.h"
#include "Views/Dashboard/DashboardView.h"
#include "Views/Kit/Feedback/EmptyStateView.h"
#include "Views/Orphans/OrphanListView.h"
#include "Views/Permission/PermissionSheet.h"

#include <map>

namespace zn {

DetailScreen detailScreenFor(const std::optional<AppSection>& section) {
    if (!section)
        return DetailScreen::nothingSelected;
    switch (section->kind()) {
    case AppSection::Kind::apps:
        return DetailScreen::installedApps;
    case AppSection::Kind::orphans:
        return DetailScreen::oldAppLeftovers;
    case AppSection::Kind::cleaning:
        return section->category() == CleaningCategory::smartScan ? DetailScreen::dashboard
                                                                   : DetailScreen::categoryDetail;
    }
    return DetailScreen::nothingSelected;
}

// The routing table: one line per screen.
const ScreenFactory& screenFactory(DetailScreen screen) {
    static const std::map<DetailScreen, ScreenFactory> routes{
        {DetailScreen::dashboard,
         [](const ScreenServices& services, const auto&) { return new DashboardView(services.state); }},
        {DetailScreen::categoryDetail,
         [](const ScreenServices& services, const auto& section) {
             return new CategoryDetailView(services.state, *section->category(), services.fileViewer);
         }},
        {DetailScreen::installedApps,
         [](const ScreenServices& services, const auto&) {
             return new AppListView(services.state, services.fileViewer, services.prompter);
         }},
        {DetailScreen::oldAppLeftovers,
         [](const ScreenServices& services, const auto&) {
             return new OrphanListView(services.state, services.fileViewer,
                                       services.urlOpener, services.prompter);
         }},
        {DetailScreen::nothingSelected,
         [](const ScreenServices&, const auto&) {
             return new EmptyStateView(QStringLiteral("Zelva Nexal"), "sparkles",
                                       QStringLiteral("Select a category from the sidebar to get started."));
         }},
    };
    return routes.at(screen);
}

const PermissionSheetFactory& permissionSheetFactory() {
    static const PermissionSheetFactory sheet = [](PermissionCoordinator& permission, QWidget* parent) {
        return new PermissionSheet(permission, parent);
    };
    return sheet;
}

} // namespace zn
