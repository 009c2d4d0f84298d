#include "Views/Kit/Feedback/BusyIndicator.h"

#include "Views/Kit/Motion/Motion.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QPainter>
#include <QTimerEvent>

#include <cmath>

namespace zn {

namespace {

constexpr int kSpokes = 12;
constexpr int kFrameMs = 80;
constexpr int kBarFrames = 40;

} // namespace

BusyIndicator::BusyIndicator(Style style, QWidget* parent) : QWidget(parent), style_(style) {
    // The still frame shows the bar's segment in the middle of its track.
    if (style_ == Style::linear)
        phase_ = kBarFrames / 2;
    if (style_ == Style::spinning)
        setFixedSize(32, 32);
    else
        setFixedHeight(6);
}

QSize BusyIndicator::sizeHint() const {
    return style_ == Style::spinning ? QSize(32, 32) : QSize(300, 6);
}

void BusyIndicator::showEvent(QShowEvent*) {
    if (Motion::enabled())
        timer_.start(kFrameMs, this);
}

void BusyIndicator::hideEvent(QHideEvent*) {
    timer_.stop();
}

void BusyIndicator::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timer_.timerId())
        return;
    if (!Motion::enabled()) {
        timer_.stop();
        return;
    }
    ++phase_;
    update();
}

void BusyIndicator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (style_ == Style::spinning)
        paintSpinner(painter);
    else
        paintBar(painter);
}

void BusyIndicator::paintSpinner(QPainter& painter) const {
    const QColor ink = platformColor(*this, PlatformColor::primaryLabel);
    const double side = std::min(width(), height());
    const QPointF centre = rect().center() + QPointF(0.5, 0.5);
    const double outer = side / 2 - 1;
    const double inner = outer * 0.5;
    const double thickness = std::max(2.0, side / 11);
    for (int spoke = 0; spoke < kSpokes; ++spoke) {
        // The newest spoke is darkest; the others fade behind it.
        const int age = ((phase_ - spoke) % kSpokes + kSpokes) % kSpokes;
        QColor color = withOpacity(ink, 0.85 - 0.65 * age / double(kSpokes - 1));
        const double angle = spoke * 2 * M_PI / kSpokes - M_PI / 2;
        const QPointF direction(std::cos(angle), std::sin(angle));
        painter.setPen(QPen(color, thickness, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(centre + direction * inner, centre + direction * outer);
    }
}

void BusyIndicator::paintBar(QPainter& painter) const {
    const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const ColorScheme scheme = colorScheme(*this);
    fillRoundedRect(painter, track, capsuleRadius(track),
                    withOpacity(platformColor(PlatformColor::primaryLabel, scheme), 0.1));
    const double segment = track.width() * 0.3;
    const double travel = (phase_ % kBarFrames) / double(kBarFrames - 1);
    const double left = track.left() - segment + travel * (track.width() + segment);
    QRectF bar(std::max(track.left(), left), track.top(), segment, track.height());
    bar.setRight(std::min(track.right(), left + segment));
    if (bar.width() > 0)
        fillRoundedRect(painter, bar, capsuleRadius(bar), schemeAccent(scheme));
}

} // namespace zn
