#pragma once

#include "Models/AppearanceMode.h"

#include <QColor>
#include <QWidget>

#include <optional>

namespace zn {

class AnimatedValue;
class ThemeManager;

// The compact three-way appearance switch: follow the system, light, dark. Pressing a button writes its mode,
// also when it is already selected; the highlight slides to the selected button on a spring.
class AppearancePill : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize kButtonSize{28, 22};
    static constexpr int kSpacing = 2;

    explicit AppearancePill(AppearanceMode selection, QWidget* parent = nullptr);
    // A switch that shows and writes the manager's mode.
    static AppearancePill* boundTo(ThemeManager& manager, QWidget* parent = nullptr);

    AppearanceMode selection() const { return selection_; }
    void setSelection(AppearanceMode mode);
    // The button's frame, for clicks in tests.
    QRect buttonRect(AppearanceMode mode) const;
    // The colour the button's symbol is drawn in now: the primary label colour under the highlight, the
    // secondary one elsewhere, and a mix of the two while the highlight slides.
    QColor symbolColor(AppearanceMode mode) const;

    QSize sizeHint() const override;

signals:
    // Every press, whether or not the mode changes.
    void selectionWritten(AppearanceMode mode);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    std::optional<AppearanceMode> modeAt(const QPoint& position) const;

    AppearanceMode selection_;
    std::optional<AppearanceMode> pressed_;
    AnimatedValue* highlightX_;
};

} // namespace zn
