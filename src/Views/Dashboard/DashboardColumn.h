#pragma once

#include <QString>

class QBoxLayout;
class QVBoxLayout;
class QWidget;

namespace zn {

class CardSurface;
class TextLabel;

// The column of one state of the dashboard: its blocks 20 points apart, with room around them for the
// cards' shadows, which a layout would otherwise cut off at the state widget's edge.
QVBoxLayout* makeStateColumn(QWidget& state);

// A hero card with a ring: the gauge in its 180-point frame, then `column` beside it, centred on the gauge and
// taking the rest of the width.
void layOutGaugeHero(CardSurface& card, QWidget& gauge, QBoxLayout* column);

// The title over a block of the dashboard: 16 points, bold, a little room above it.
TextLabel* makeSectionHeader(const QString& title);

} // namespace zn
