#pragma once

#include "ViewModels/AppSection.h"

#include <functional>
#include <optional>

class QDialog;
class QWidget;

namespace zn {

class AppState;
class FileViewer;
class PermissionCoordinator;
class QuestionPrompter;
class ThemeManager;
class UrlOpener;

// What the main window and its screens are built with.
struct ScreenServices {
    AppState& state;
    PermissionCoordinator& permission;
    ThemeManager& theme;
    FileViewer& fileViewer;
    QuestionPrompter& prompter;
    UrlOpener& urlOpener;
};

// The screens of the detail column. The window keeps one screen per kind: moving between two categories
// keeps the category screen (its filter, sort order and dialog) and only changes its category.
enum class DetailScreen { dashboard, categoryDetail, installedApps, oldAppLeftovers, nothingSelected };

DetailScreen detailScreenFor(const std::optional<AppSection>& section);

// Builds the screen of a kind for a selection; the caller owns it.
using ScreenFactory = std::function<QWidget*(const ScreenServices& services, const std::optional<AppSection>& section)>;
const ScreenFactory& screenFactory(DetailScreen screen);

// The sheet shown while a Full Disk Access prompt runs, or none when there is no sheet to show.
using PermissionSheetFactory = std::function<QDialog*(PermissionCoordinator& permission, QWidget* parent)>;
const PermissionSheetFactory& permissionSheetFactory();

} // namespace zn
