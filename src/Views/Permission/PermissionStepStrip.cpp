#include "Views/Permission/PermissionStepStrip.h"

#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextDrawing.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zn {

namespace {

constexpr double kStripPadding = 4;
constexpr double kCellPaddingX = 12;
constexpr double kCellPaddingY = 10;
constexpr double kBadgeSide = 18;
constexpr double kBadgeSpacing = 8;
constexpr double kTitleSpacing = 1;
constexpr double kDividerWidth = 0.5;
constexpr double kDividerInset = 6;
constexpr int kCaptionLines = 2;
constexpr int kNaturalWidth = 496;

QFont titleFont() {
    return systemFont(11.5, QFont::DemiBold);
}

QFont captionFont() {
    return systemFont(10);
}

double cellWidth(double stripWidth) {
    return (stripWidth - 2 * kDividerWidth) / 3;
}

double textWidth(double cell) {
    return std::max(1.0, cell - 2 * kCellPaddingX - kBadgeSide - kBadgeSpacing);
}

// The caption's height at a text width, never more than two lines.
double captionHeight(const QString& caption, double width) {
    const TextMetrics metrics(captionFont());
    const QRectF wrapped = metrics.boundingRect(QRectF(0, 0, width, 1000), Qt::TextWordWrap, caption);
    return std::min(wrapped.height(), kCaptionLines * metrics.lineSpacing());
}

} // namespace

PermissionStepStrip::PermissionStepStrip(QWidget* parent) : QWidget(parent) {
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

const std::array<PermissionStepStrip::Step, 3>& PermissionStepStrip::steps() {
    static const std::array<Step, 3> table{{
        {QStringLiteral("Find Zelva Nexal"), QStringLiteral("Look for it in the list.")},
        {QStringLiteral("Turn it on"), QStringLiteral("Use Touch ID or your password if asked.")},
        {QStringLiteral("Done"), QStringLiteral("We'll try again automatically.")},
    }};
    return table;
}

int PermissionStepStrip::heightForWidth(int width) const {
    const double text = textWidth(cellWidth(width));
    const double titleHeight = TextMetrics(titleFont()).height();
    double content = kBadgeSide;
    for (const Step& step : steps())
        content = std::max(content, titleHeight + kTitleSpacing + captionHeight(step.caption, text));
    return static_cast<int>(std::ceil(2 * (kStripPadding + kCellPaddingY) + content));
}

QSize PermissionStepStrip::sizeHint() const {
    return {kNaturalWidth, heightForWidth(kNaturalWidth)};
}

QSize PermissionStepStrip::minimumSizeHint() const {
    return {300, heightForWidth(300)};
}

void PermissionStepStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const QRectF strip(rect());
    fillRoundedRect(painter, strip, 10, platformColor(PlatformColor::controlBackground, scheme));

    const double cell = cellWidth(strip.width());
    const QColor divider = withOpacity(platformColor(PlatformColor::primaryLabel, scheme), 0.08);
    double x = strip.left();
    for (std::size_t index = 0; index < steps().size(); ++index) {
        paintCell(painter, QRectF(x, strip.top() + kStripPadding, cell, strip.height() - 2 * kStripPadding),
                  static_cast<int>(index) + 1, steps()[index]);
        x += cell;
        if (index + 1 < steps().size()) {
            painter.fillRect(QRectF(x, strip.top() + kStripPadding + kDividerInset, kDividerWidth,
                                    strip.height() - 2 * (kStripPadding + kDividerInset)),
                             divider);
            x += kDividerWidth;
        }
    }
}

void PermissionStepStrip::paintCell(QPainter& painter, const QRectF& cell, int number, const Step& step) const {
    const ColorScheme scheme = colorScheme(*this);
    const QRectF content = cell.adjusted(kCellPaddingX, kCellPaddingY, -kCellPaddingX, -kCellPaddingY);

    const QRectF badge(content.left(), content.top(), kBadgeSide, kBadgeSide);
    painter.setPen(Qt::NoPen);
    painter.setBrush(schemeAccent(scheme));
    painter.drawEllipse(badge);
    painter.setFont(systemFont(11, QFont::Bold));
    painter.setPen(Qt::white);
    drawText(painter, badge, Qt::AlignCenter, QString::number(number));

    const double left = badge.right() + kBadgeSpacing;
    const double width = textWidth(cell.width());
    const double titleHeight = TextMetrics(titleFont()).height();
    painter.setFont(titleFont());
    painter.setPen(platformColor(PlatformColor::primaryLabel, scheme));
    drawText(painter, QRectF(left, content.top(), width, titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
             TextMetrics(titleFont()).elidedText(step.title, Qt::ElideRight, width));

    const QRectF caption(left, content.top() + titleHeight + kTitleSpacing, width, captionHeight(step.caption, width));
    painter.save();
    painter.setClipRect(caption);
    painter.setFont(captionFont());
    painter.setPen(platformColor(PlatformColor::secondaryLabel, scheme));
    drawText(painter, caption, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, step.caption);
    painter.restore();
}

} // namespace zn
