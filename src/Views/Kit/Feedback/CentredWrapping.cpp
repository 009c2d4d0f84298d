#include "Views/Kit/Feedback/CentredWrapping.h"

#include <QHBoxLayout>

namespace zn {

QHBoxLayout* centredWrapping(QWidget* label) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(label, 100);
    row->addStretch(1);
    return row;
}

} // namespace zn
