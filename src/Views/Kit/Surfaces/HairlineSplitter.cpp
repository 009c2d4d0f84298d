#include "Views/Kit/Surfaces/HairlineSplitter.h"

namespace zn {

HairlineSplitter::HairlineSplitter(QWidget* parent) : QSplitter(Qt::Horizontal, parent) {
    setHandleWidth(1);
    setChildrenCollapsible(false);
}

} // namespace zn
