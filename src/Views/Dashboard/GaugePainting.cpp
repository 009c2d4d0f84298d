#include "Views/Dashboard/GaugePainting.h"

#include "Views/Components/NumericTextTransition.h"
#include "Views/Components/SchemeColors.h"
#include "Views/Components/TextStyles.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zn::gauge {

namespace {

QFont captionFont() {
    QFont font = systemFont(10, QFont::Medium);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    return font;
}

// Qt counts angles anticlockwise, in sixteenths of a degree.
int sixteenths(double clockwiseDegrees) {
    return -static_cast<int>(std::round(clockwiseDegrees * 16));
}

} // namespace

QRectF ringRect(const QRectF& bounds) {
    const double side = std::min(bounds.width(), bounds.height()) - kLineWidth;
    QRectF ring(0, 0, side, side);
    ring.moveCenter(bounds.center());
    return ring;
}

void paintTrack(QPainter& painter, const QRectF& ring, ColorScheme scheme) {
    painter.setPen(QPen(withOpacity(platformColor(PlatformColor::primaryLabel, scheme), 0.07), kLineWidth,
                        Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(ring);
}

void paintArc(QPainter& painter, const QRectF& ring, const QColor& color, double startDegrees, double fraction) {
    if (fraction <= 0)
        return;
    painter.setPen(QPen(color, kLineWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(ring, sixteenths(startDegrees), sixteenths(fraction * 360));
}

void paintCentre(QPainter& painter, const QRectF& bounds, ColorScheme scheme, const QFont& figureFont,
                 const NumericTextTransition& figure, const QString& caption) {
    const QFontMetricsF figureMetrics(figureFont);
    const QFont small = captionFont();
    const QFontMetricsF captionMetrics(small);
    constexpr double kSpacing = 2;
    const double top = bounds.center().y() - (figureMetrics.height() + kSpacing + captionMetrics.height()) / 2;
    painter.setFont(figureFont);
    painter.setPen(platformColor(PlatformColor::primaryLabel, scheme));
    figure.paint(painter, QRectF(bounds.left(), top, bounds.width(), figureMetrics.height()),
                 Qt::AlignHCenter | Qt::AlignTop);
    painter.setFont(small);
    painter.setPen(platformColor(PlatformColor::secondaryLabel, scheme));
    painter.drawText(QRectF(bounds.left(), top + figureMetrics.height() + kSpacing, bounds.width(),
                            captionMetrics.height()),
                     Qt::AlignHCenter | Qt::AlignTop, caption);
}

} // namespace zn::gauge
