#pragma once

#include "ViewModels/AppSection.h"
#include "ViewModels/CleanFailureReactions.h"
#include "Views/Kit/Feedback/FailureAlert.h"
#include "Views/MainWindow/DetailRoutes.h"

#include <QWidget>

#include <optional>

class QVBoxLayout;

namespace zn {

class AccessBanner;
class MainToolbar;
class PermissionSheetPresenter;
class Sidebar;

// The main window's content once onboarding is done: the toolbar, the sidebar beside the detail column
// (the access banner above the screen of the sidebar's selection), and the window-wide reactions: a fresh
// access check whenever the program becomes active, the hand-off of clean failures that Full Disk Access
// would fix to the permission prompt, the alert for every other clean failure, and the permission sheet.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize kMinimumSize{1180, 640};

    explicit MainWindow(ScreenServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    const std::optional<AppSection>& selectedSection() const { return selectedSection_; }
    void setSelectedSection(std::optional<AppSection> section);

    QWidget* detailScreen() const { return screen_; }
    DetailScreen detailScreenKind() const { return screenKind_; }
    MainToolbar& toolbar() const { return *toolbar_; }
    Sidebar& sidebar() const { return *sidebar_; }
    AccessBanner& accessBanner() const { return *banner_; }
    // The alert "Couldn't clean everything" while it is open.
    AlertDialog* cleanFailureAlert() const { return alert_.dialog(); }
    PermissionSheetPresenter& permissionSheet() const { return *sheet_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applicationStateChanged(Qt::ApplicationState state);
    void updateBanner();
    void updateCleanFailureAlert();
    void showScreen(QWidget* screen, DetailScreen kind);
    void retireScreen();

    ScreenServices services_;
    CleanFailureReactions reactions_;
    std::optional<AppSection> selectedSection_;
    MainToolbar* toolbar_;
    Sidebar* sidebar_;
    QWidget* bannerRow_;
    AccessBanner* banner_;
    QVBoxLayout* detailLayout_;
    QWidget* screen_ = nullptr;
    DetailScreen screenKind_ = DetailScreen::nothingSelected;
    FailureAlert alert_;
    PermissionSheetPresenter* sheet_;
};

} // namespace zn
