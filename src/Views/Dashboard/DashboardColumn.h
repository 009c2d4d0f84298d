#pragma once

#include <QString>

class QVBoxLayout;
class QWidget;

namespace zn {

class TextLabel;

// The column of one state of the dashboard: its blocks 20 points apart, with room around them for the
// cards' shadows, which a layout would otherwise cut off at the state widget's edge.
QVBoxLayout* makeStateColumn(QWidget& state);

// The title over a block of the dashboard: 16 points, bold, a little room above it.
TextLabel* makeSectionHeader(const QString& title);

} // namespace zn
