#include "Views/Kit/Controls/BorderedButton.h"

#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Surfaces/ShadowPainter.h"
#include "Views/Kit/Theme/NexalIcon.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"
#include "Views/Kit/Theme/TextDrawing.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QPainter>

#include <cmath>

namespace zn {

namespace {
constexpr double kCornerRadius = 5;
constexpr double kIconSpacing = 5;
} // namespace

BorderedButton::BorderedButton(const QString& text, Prominence prominence, QWidget* parent)
    : QPushButton(text, parent), prominence_(prominence) {
    setFont(textFont(TextStyle::body, prominence == Prominence::prominent ? QFont::Medium : QFont::Normal));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void BorderedButton::setTint(std::optional<QColor> tint) {
    tint_ = std::move(tint);
    update();
}

void BorderedButton::setProminence(Prominence prominence) {
    prominence_ = prominence;
    QFont adjusted = font();
    adjusted.setWeight(prominence == Prominence::prominent ? QFont::Medium : QFont::Normal);
    setFont(adjusted);
    update();
}

void BorderedButton::setControlSize(ControlSize size) {
    controlSize_ = size;
    QFont adjusted = font();
    setFontSize(adjusted, size == ControlSize::small ? 11 : 13);
    setFont(adjusted);
    updateGeometry();
}

void BorderedButton::setLeadingSymbol(std::optional<std::string> systemName) {
    leadingSymbol_ = std::move(systemName);
    updateGeometry();
    update();
}

void BorderedButton::setLeadingNexalMark(bool nexalMark, double size) {
    nexalMark_ = nexalMark;
    markSize_ = size;
    updateGeometry();
    update();
}

double BorderedButton::height() const {
    switch (controlSize_) {
    case ControlSize::small:
        return 20;
    case ControlSize::regular:
        return 24;
    case ControlSize::large:
        return 30;
    }
    return 24;
}

double BorderedButton::iconWidth() const {
    if (nexalMark_)
        return markSize_ + kIconSpacing;
    if (leadingSymbol_)
        return fontSize(font()) * 1.2 + kIconSpacing;
    return 0;
}

QColor BorderedButton::tintColor() const {
    return tint_.value_or(schemeAccent(colorScheme(*this)));
}

QSize BorderedButton::sizeHint() const {
    const double padding = controlSize_ == ControlSize::large ? 16 : 11;
    const double width = TextMetrics(font()).horizontalAdvance(text()) + iconWidth() + 2 * padding;
    return {static_cast<int>(std::ceil(width)), static_cast<int>(height())};
}

void BorderedButton::paintStandardFace(QPainter& painter, const QRectF& shape, double cornerRadius, ColorScheme scheme,
                                       bool down) {
    const QColor face = byScheme(scheme, QColor(255, 255, 255, down ? 64 : 46), QColor(down ? 235 : 255, down ? 235 : 255, down ? 235 : 255));
    paintRoundedShadow(painter, shape, cornerRadius, {1, QPointF(0, 0.5), withOpacity(Qt::black, byScheme(scheme, 0.3, 0.16))});
    fillRoundedRect(painter, shape, cornerRadius, face);
    strokeRoundedBorder(painter, shape, cornerRadius, byScheme(scheme, QColor(255, 255, 255, 30), QColor(0, 0, 0, 34)), 0.5);
}

QSize BorderedButton::minimumSizeHint() const {
    return sizeHint();
}

void BorderedButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const bool down = isDown();
    if (!isEnabled())
        painter.setOpacity(0.5);
    const QRectF shape = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -1);

    QColor foreground;
    if (prominence_ == Prominence::prominent) {
        const QColor fill = tintColor();
        paintRoundedShadow(painter, shape, kCornerRadius, {1, QPointF(0, 0.5), withOpacity(Qt::black, 0.18)});
        fillRoundedRect(painter, shape, kCornerRadius, down ? fill.darker(118) : fill);
        strokeRoundedBorder(painter, shape, kCornerRadius, withOpacity(Qt::white, 0.14), 0.5);
        foreground = Qt::white;
    } else {
        paintStandardFace(painter, shape, kCornerRadius, scheme, down);
        foreground = tint_ ? *tint_ : platformColor(PlatformColor::primaryLabel, scheme);
    }

    const double textWidth = TextMetrics(font()).horizontalAdvance(text());
    double x = shape.center().x() - (textWidth + iconWidth()) / 2;
    if (nexalMark_) {
        NexalIcon::paint(painter, QRectF(x, shape.center().y() - markSize_ / 2, markSize_, markSize_), foreground);
        x += markSize_ + kIconSpacing;
    } else if (leadingSymbol_) {
        const double side = fontSize(font()) * 1.2;
        paintSymbol(painter, QRectF(x, shape.top(), side, shape.height()), *leadingSymbol_, fontSize(font()),
                    foreground);
        x += side + kIconSpacing;
    }
    painter.setFont(font());
    painter.setPen(foreground);
    drawText(painter, QRectF(x, shape.top(), textWidth + 2, shape.height()), Qt::AlignLeft | Qt::AlignVCenter,
             text());
}

} // namespace zn
