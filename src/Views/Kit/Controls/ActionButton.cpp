#include "Views/Kit/Controls/ActionButton.h"

#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Motion/ScaleAbout.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Surfaces/ShadowPainter.h"
#include "Views/Kit/Theme/KitStyle.h"
#include "Views/Kit/Theme/NexalIcon.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"
#include "Views/Kit/Theme/TextDrawing.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QPainter>

#include <cmath>

namespace zn {

namespace {

constexpr double kPressedScale = 0.985;
constexpr double kHorizontalPadding = 16;

double minWidthOf(const ActionButton::Style& style) {
    return std::visit([](const auto& s) { return s.minWidth; }, style);
}
double heightOf(const ActionButton::Style& style) {
    return std::visit([](const auto& s) { return s.height; }, style);
}
double cornerOf(const ActionButton::Style& style) {
    return std::visit([](const auto& s) { return s.cornerRadius; }, style);
}
QColor foregroundOf(const ActionButton::Style& style) {
    return std::visit([](const auto& s) { return s.foreground; }, style);
}

QColor primaryFill(const PrimaryActionButtonStyle& style, ColorScheme scheme) {
    return scheme == ColorScheme::dark ? style.tint : qColor(Tint::blue);
}

ShadowSpec primaryShadow(const QColor& fill, ColorScheme scheme, double amount) {
    // Radii are kept to half points so the shadow cache stays small while the press eases.
    const double radius = std::round(std::lerp(9.0, 4.0, amount) * 2) / 2;
    return {radius, QPointF(0, std::lerp(4.0, 1.0, amount)), withOpacity(fill, byScheme(scheme, 0.26, 0.2))};
}

} // namespace

ActionButton::ActionButton(const QString& text, Style style, QWidget* parent)
    : QPushButton(text, parent), style_(std::move(style)), press_(new AnimatedValue(this, 0)) {
    setFont(textFont(TextStyle::headline));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(this, &QAbstractButton::pressed, this, [this] { press_->animateTo(1, Timing::easeOut(std::chrono::milliseconds(120))); });
    connect(this, &QAbstractButton::released, this, [this] { press_->animateTo(0, Timing::easeOut(std::chrono::milliseconds(120))); });
    updateOverflow();
}

void ActionButton::setButtonStyle(Style style) {
    style_ = std::move(style);
    updateOverflow();
    updateGeometry();
    update();
}

void ActionButton::setLeadingSymbol(std::optional<std::string> systemName) {
    leadingSymbol_ = std::move(systemName);
    updateGeometry();
    update();
}

void ActionButton::setLeadingNexalMark(bool nexalMark) {
    nexalMark_ = nexalMark;
    updateGeometry();
    update();
}

void ActionButton::setForeground(std::optional<ColorSource> foreground) {
    foreground_ = std::move(foreground);
    update();
}

void ActionButton::setLeadingIcon(IconPainter icon, double side) {
    leadingIcon_ = std::move(icon);
    leadingIconSide_ = side;
    updateGeometry();
    update();
}

void ActionButton::setTrailingIcon(IconPainter icon, double side) {
    trailingIcon_ = std::move(icon);
    trailingIconSide_ = side;
    updateGeometry();
    update();
}

void ActionButton::setIconSpacing(double spacing) {
    iconSpacing_ = spacing;
    updateGeometry();
    update();
}

void ActionButton::updateOverflow() {
    // The released shadow reaches furthest; secondary buttons have none.
    QMargins reach;
    if (std::holds_alternative<PrimaryActionButtonStyle>(style_))
        reach = shadowReach(primaryShadow(Qt::black, ColorScheme::dark, 0));
    KitStyle::setOverflow(*this, reach);
}

double ActionButton::leadingIconSide() const {
    if (leadingIcon_)
        return leadingIconSide_;
    return leadingSymbol_ || nexalMark_ ? fontSize(font()) : 0;
}

double ActionButton::labelWidth() const {
    double width = TextMetrics(font()).horizontalAdvance(text());
    if (const double side = leadingIconSide(); side > 0)
        width += side + iconSpacing_;
    if (trailingIcon_)
        width += iconSpacing_ + trailingIconSide_;
    return width;
}

QSize ActionButton::sizeHint() const {
    const QMargins reach = KitStyle::overflow(*this);
    const double width = std::max(minWidthOf(style_), labelWidth() + 2 * kHorizontalPadding);
    return QSize(static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(heightOf(style_)))) +
           QSize(reach.left() + reach.right(), reach.top() + reach.bottom());
}

QSize ActionButton::minimumSizeHint() const {
    return sizeHint();
}

double ActionButton::labelBaseline() const {
    // The text is centred on the shape's height, as the painting below draws it.
    return TextMetrics(font()).centredBaseline(heightOf(style_));
}

QRectF ActionButton::shapeRect() const {
    return QRectF(rect().marginsRemoved(KitStyle::overflow(*this)));
}

bool ActionButton::hitButton(const QPoint& position) const {
    return shapeRect().contains(position);
}

void ActionButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const double amount = press_->value();
    const QRectF shape = shapeRect();
    const double corner = cornerOf(style_);
    if (!isEnabled())
        painter.setOpacity(0.45);

    scaleAbout(painter, shape.center(), std::lerp(1.0, kPressedScale, amount));

    if (const auto* primary = std::get_if<PrimaryActionButtonStyle>(&style_)) {
        const QColor fill = primaryFill(*primary, scheme);
        paintRoundedShadow(painter, shape, corner, primaryShadow(fill, scheme, amount));
        fillRoundedRect(painter, shape, corner, withOpacity(fill, std::lerp(1.0, 0.82, amount)));
        strokeRoundedBorder(painter, shape, corner, withOpacity(Qt::white, byScheme(scheme, 0.18, 0.28)), 0.7);
    } else {
        const QColor label = platformColor(PlatformColor::primaryLabel, scheme);
        fillRoundedRect(painter, shape, corner,
                        withOpacity(label, std::lerp(byScheme(scheme, 0.07, 0.045), byScheme(scheme, 0.12, 0.08), amount)));
        strokeRoundedBorder(painter, shape, corner, withOpacity(label, byScheme(scheme, 0.14, 0.09)), 0.7);
    }

    const QColor foreground = foreground_ ? foreground_->resolve(scheme) : foregroundOf(style_);
    const double width = labelWidth();
    double x = shape.center().x() - width / 2;
    const double iconSide = leadingIconSide();
    if (iconSide > 0) {
        const QRectF icon(x, shape.center().y() - iconSide / 2, iconSide, iconSide);
        if (leadingIcon_)
            leadingIcon_(painter, icon, foreground);
        else if (nexalMark_)
            NexalIcon::paint(painter, icon, foreground);
        else
            paintSymbol(painter, icon, *leadingSymbol_, iconSide * 0.85, foreground);
        x += iconSide + iconSpacing_;
    }
    painter.setFont(font());
    painter.setPen(foreground);
    const double textWidth = TextMetrics(font()).horizontalAdvance(text());
    drawText(painter, QRectF(x, shape.top(), shape.right() - x, shape.height()), Qt::AlignLeft | Qt::AlignVCenter,
             text());
    if (trailingIcon_) {
        x += textWidth + iconSpacing_;
        trailingIcon_(painter,
                      QRectF(x, shape.center().y() - trailingIconSide_ / 2, trailingIconSide_, trailingIconSide_),
                      foreground);
    }
}

} // namespace zn
