#include "Views/Components/HairlineSplitter.h"

#include "Views/Components/SchemeColors.h"

#include <QPainter>

namespace zn {

namespace {

class HairlineHandle : public QSplitterHandle {
public:
    using QSplitterHandle::QSplitterHandle;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), platformColor(*this, PlatformColor::separator));
    }
};

} // namespace

HairlineSplitter::HairlineSplitter(QWidget* parent) : QSplitter(Qt::Horizontal, parent) {
    setHandleWidth(1);
    setChildrenCollapsible(false);
}

QSplitterHandle* HairlineSplitter::createHandle() {
    return new HairlineHandle(orientation(), this);
}

} // namespace zn
