#include "Views/Dashboard/GaugePainting.h"

#include "Views/Kit/Motion/NumericTextTransition.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

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

void paint(QPainter& painter, const QRectF& bounds, ColorScheme scheme, const Look& look,
           const NumericTextTransition& figure, const QString& caption) {
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(bounds.width(), bounds.height()) - kLineWidth;
    QRectF ring(0, 0, side, side);
    ring.moveCenter(bounds.center());

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withOpacity(platformColor(PlatformColor::primaryLabel, scheme), 0.07), kLineWidth,
                        Qt::SolidLine, Qt::FlatCap));
    painter.drawEllipse(ring);
    if (look.arcFraction > 0) {
        painter.setPen(QPen(look.arcColor, kLineWidth, Qt::SolidLine, Qt::RoundCap));
        painter.drawArc(ring, sixteenths(look.startDegrees), sixteenths(look.arcFraction * 360));
    }

    const QFontMetricsF figureMetrics(look.figureFont);
    const QFont small = captionFont();
    const QFontMetricsF captionMetrics(small);
    constexpr double kSpacing = 2;
    const double top = bounds.center().y() - (figureMetrics.height() + kSpacing + captionMetrics.height()) / 2;
    painter.setFont(look.figureFont);
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
