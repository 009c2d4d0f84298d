#include "Views/Dashboard/StorageBreakdown.h"

#include "Views/Dashboard/DashboardFormat.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/DisplayText.h"
#include "Views/Kit/Theme/MonospacedDigits.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextDrawing.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zn {

namespace {

constexpr double kBarHeight = 10;
constexpr double kBarToLegend = 8;
constexpr double kFoundMinimumWidth = 8;
constexpr double kEntrySpacing = 16;
constexpr double kDotSide = 8;
constexpr double kDotToText = 6;

QFont labelFont() {
    return systemFont(10.5);
}
QFont valueFont() {
    return systemFont(11.5, QFont::DemiBold);
}
QFont percentFont() {
    return systemFont(11, QFont::Medium);
}

double legendHeight() {
    return TextMetrics(labelFont()).height() + TextMetrics(valueFont()).height();
}

} // namespace

StorageBreakdown::StorageBreakdown(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void StorageBreakdown::setFigures(std::int64_t used, std::int64_t total, std::int64_t found,
                                  std::int64_t purgeable) {
    used_ = used;
    total_ = total;
    found_ = found;
    purgeable_ = purgeable;
    update();
}

StorageBreakdown::Segments StorageBreakdown::segments(double width, std::int64_t used, std::int64_t total,
                                                      std::int64_t found) {
    const double usedFraction = dashboard::share(used, total);
    const double foundFraction = dashboard::foundFraction(found, total);
    Segments parts;
    parts.usedWidth = width * usedFraction;
    if (foundFraction > 0) {
        parts.foundWidth = std::max(width * foundFraction, kFoundMinimumWidth);
        parts.foundLeft = width * (usedFraction - foundFraction);
    }
    return parts;
}

std::vector<StorageBreakdown::Entry> StorageBreakdown::legend() const {
    const ColorScheme scheme = colorScheme(*this);
    std::vector<Entry> entries{{schemeAccent(scheme), QStringLiteral("Used"), bytesText(used_)}};
    if (found_ > 0)
        entries.push_back({warningColor(scheme), QStringLiteral("Found"), bytesText(found_)});
    if (purgeable_ > 0)
        entries.push_back({qColor(Tint::green), QStringLiteral("Purgeable"), bytesText(purgeable_)});
    return entries;
}

std::vector<QString> StorageBreakdown::legendLabels() const {
    std::vector<QString> labels;
    for (const Entry& entry : legend())
        labels.push_back(entry.label);
    return labels;
}

QString StorageBreakdown::percentText() const {
    return dashboard::percentUsedText(dashboard::share(used_, total_));
}

QSize StorageBreakdown::sizeHint() const {
    return {320, static_cast<int>(std::ceil(kBarHeight + kBarToLegend + legendHeight()))};
}

QSize StorageBreakdown::minimumSizeHint() const {
    return {120, sizeHint().height()};
}

void StorageBreakdown::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const double width = this->width();

    const QRectF track(0, 0, width, kBarHeight);
    const double radius = capsuleRadius(track);
    fillRoundedRect(painter, track, radius,
                    withOpacity(platformColor(PlatformColor::primaryLabel, scheme), 0.08));
    const Segments parts = segments(width, used_, total_, found_);
    painter.save();
    painter.setClipRect(track);
    if (parts.usedWidth > 0) {
        const QRectF used(0, 0, parts.usedWidth, kBarHeight);
        QLinearGradient gradient(used.topLeft(), used.topRight());
        gradient.setColorAt(0, schemeAccent(scheme));
        gradient.setColorAt(1, byScheme(scheme, qColor(Tint::slate), qColor(Tint::green)));
        painter.setPen(Qt::NoPen);
        painter.setBrush(gradient);
        painter.drawRoundedRect(used, std::min(radius, used.width() / 2), radius);
    }
    if (parts.foundWidth > 0)
        fillRoundedRect(painter, QRectF(parts.foundLeft, 0, parts.foundWidth, kBarHeight), radius,
                        withOpacity(warningColor(scheme), 0.85));
    painter.restore();

    const double top = kBarHeight + kBarToLegend;
    const TextMetrics labelMetrics(labelFont());
    const double rowHeight = legendHeight();
    double x = 0;
    for (const Entry& entry : legend()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(entry.color);
        painter.drawEllipse(QRectF(x, top + (rowHeight - kDotSide) / 2, kDotSide, kDotSide));
        x += kDotSide + kDotToText;
        painter.setFont(labelFont());
        painter.setPen(platformColor(PlatformColor::secondaryLabel, scheme));
        drawText(painter, QPointF(x, top + labelMetrics.ascent()), entry.label);
        painter.setFont(valueFont());
        painter.setPen(platformColor(PlatformColor::primaryLabel, scheme));
        drawMonospacedDigits(painter, QRectF(x, top + labelMetrics.height(), width - x, rowHeight),
                             Qt::AlignLeft | Qt::AlignTop, entry.value);
        x += std::max(labelMetrics.horizontalAdvance(entry.label),
                      monospacedDigitsWidth(valueFont(), entry.value)) +
             kEntrySpacing;
    }
    painter.setFont(percentFont());
    painter.setPen(platformColor(PlatformColor::secondaryLabel, scheme));
    drawMonospacedDigits(painter, QRectF(0, top, width, rowHeight), Qt::AlignRight | Qt::AlignVCenter,
                         percentText());
}

} // namespace zn
