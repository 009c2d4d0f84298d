#pragma once

#include "Views/Kit/Theme/ColorSource.h"

#include <QAbstractButton>

namespace zn {

class AnimatedValue;

// The label of a collapsible group: a chevron that turns down while the group is open, then the text.
// Checked means open.
class DisclosureButton : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr double kChevronWidth = 16;

    DisclosureButton(const QString& text, const QFont& font, ColorSource color, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColorSource color_;
    AnimatedValue* turn_;
};

} // namespace zn
