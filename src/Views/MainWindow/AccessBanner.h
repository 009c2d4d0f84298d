#pragma once

#include <QPointer>
#include <QWidget>

namespace zn {

class ActionButton;
class AppState;
class IconTile;
class PermissionCoordinator;
class SymbolButton;

// The banner above the detail screens while Full Disk Access is missing: what access would allow, "Set up"
// to ask for it, and a close button that hides the banner for good.
class AccessBanner : public QWidget {
    Q_OBJECT

public:
    AccessBanner(AppState& state, PermissionCoordinator& permission, QWidget* parent = nullptr);

    ActionButton& setUpButton() const { return *setUp_; }
    SymbolButton& closeButton() const { return *close_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QPointer<AppState> state_;
    IconTile* tile_;
    ActionButton* setUp_;
    SymbolButton* close_;
};

} // namespace zn
