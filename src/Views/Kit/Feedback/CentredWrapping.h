#pragma once

class QHBoxLayout;
class QWidget;

namespace zn {

// A row holding a word-wrapped label centred in its column, for the layout that takes the row. A wrapping
// label gets its height for its width only when the layout does not align it; stretches on both sides
// centre it instead.
QHBoxLayout* centredWrapping(QWidget* label);

} // namespace zn
