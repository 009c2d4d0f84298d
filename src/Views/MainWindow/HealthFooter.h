#pragma once

#include <QPointer>
#include <QWidget>

namespace zn {

class AppState;
class BorderedButton;
class PermissionCoordinator;
class PulsingDot;
class TextLabel;

// The sidebar's foot: whether Full Disk Access is granted, with a status light and, while it is missing,
// "Fix" to ask for it. Follows the state live.
class HealthFooter : public QWidget {
    Q_OBJECT

public:
    HealthFooter(AppState& state, PermissionCoordinator& permission, QWidget* parent = nullptr);

    PulsingDot& dot() const { return *dot_; }
    const TextLabel& title() const { return *title_; }
    const TextLabel& subtitle() const { return *subtitle_; }
    BorderedButton& fixButton() const { return *fix_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void refresh();

    QPointer<AppState> state_;
    PulsingDot* dot_;
    TextLabel* title_;
    TextLabel* subtitle_;
    BorderedButton* fix_;
};

} // namespace zn
