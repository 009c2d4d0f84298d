#pragma once

#include "ViewModels/AppSection.h"

#include <QPointer>
#include <QWidget>

#include <optional>
#include <vector>

namespace zn {

class AppState;
class HealthFooter;
class PermissionCoordinator;
class SidebarRow;

// The main window's left column: every place the user can go, in five titled groups, with live badges, and
// the access footer under them. Choosing a row asks the window to show that place; the window says which
// row is selected.
class Sidebar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMinimumWidth = 320;
    static constexpr int kIdealWidth = 340;
    static constexpr int kMaximumWidth = 420;

    Sidebar(AppState& state, PermissionCoordinator& permission, QWidget* parent = nullptr);

    void setSelection(const std::optional<AppSection>& section);
    // The row of a section; every section has one.
    SidebarRow& row(const AppSection& section) const;
    const std::vector<SidebarRow*>& rows() const { return rows_; }
    HealthFooter& footer() const { return *footer_; }

signals:
    void sectionChosen(const zn::AppSection& section);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* buildGroup(const QString& title, const std::vector<SidebarRow*>& rows);
    SidebarRow* addRow(SidebarRow* row);
    void refreshBadges();

    QPointer<AppState> state_;
    std::vector<SidebarRow*> rows_;
    HealthFooter* footer_;
};

} // namespace zn
