#include "Views/Kit/Motion/NumericTextTransition.h"

#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Theme/MonospacedDigits.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QWidget>

namespace zn {

namespace {

constexpr auto kDuration = std::chrono::milliseconds(380);
// How far a character travels, as a share of the line height.
constexpr double kTravel = 0.45;

void drawShifted(QPainter& painter, const QRectF& frame, Qt::Alignment alignment, const QString& text, double dy,
                 double opacity) {
    if (opacity <= 0)
        return;
    painter.save();
    painter.setOpacity(painter.opacity() * opacity);
    drawMonospacedDigits(painter, frame.translated(0, dy), alignment, text);
    painter.restore();
}

} // namespace

NumericTextTransition::NumericTextTransition(QWidget* owner, QString text)
    : QObject(owner), current_(std::move(text)), progress_(new AnimatedValue(owner, 1)) {}

void NumericTextTransition::setText(const QString& text) {
    if (text == current_)
        return;
    previous_ = current_;
    current_ = text;
    progress_->setImmediately(0);
    progress_->animateTo(1, Timing::easeOut(kDuration));
}

void NumericTextTransition::paint(QPainter& painter, const QRectF& frame, Qt::Alignment alignment) const {
    const double p = progress_->value();
    if (p >= 1 || previous_.isEmpty()) {
        drawMonospacedDigits(painter, frame, alignment, current_);
        return;
    }
    const double travel = QFontMetricsF(painter.font()).height() * kTravel;
    if (previous_.size() != current_.size()) {
        drawShifted(painter, frame, alignment, previous_, -travel * p, 1 - p);
        drawShifted(painter, frame, alignment, current_, travel * (1 - p), p);
        return;
    }
    // Same length: only the characters that changed move. Each is drawn in its own cell of the whole text.
    const Qt::Alignment vertical = alignment & Qt::AlignVertical_Mask;
    double x = monospacedDigitsLeft(painter.font(), frame, alignment, current_);
    for (int i = 0; i < current_.size(); ++i) {
        const QRectF cell(x, frame.top(), frame.right() - x, frame.height());
        const QString character(current_[i]);
        x += monospacedDigitsWidth(painter.font(), character);
        if (current_[i] == previous_[i]) {
            drawMonospacedDigits(painter, cell, Qt::AlignLeft | vertical, character);
            continue;
        }
        drawShifted(painter, cell, Qt::AlignLeft | vertical, QString(previous_[i]), -travel * p, 1 - p);
        drawShifted(painter, cell, Qt::AlignLeft | vertical, character, travel * (1 - p), p);
    }
}

} // namespace zn
