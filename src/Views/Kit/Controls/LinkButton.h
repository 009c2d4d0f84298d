#pragma once

#include "Views/Kit/Theme/ColorSource.h"

#include <QAbstractButton>

#include <optional>

namespace zn {

// A button drawn as its text alone, the platform's "link" style: no face and no border, a pointing hand
// under the pointer, dimmed while held. Its colour is the scheme accent unless a caller gives one.
class LinkButton : public QAbstractButton {
    Q_OBJECT

public:
    LinkButton(const QString& text, const QFont& font, QWidget* parent = nullptr);

    void setColor(ColorSource color);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<ColorSource> color_;
};

} // namespace zn
