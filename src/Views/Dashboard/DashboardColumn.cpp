#include "Views/Dashboard/DashboardColumn.h"

#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Surfaces/CardSurface.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace zn {

QVBoxLayout* makeStateColumn(QWidget& state) {
    auto* column = new QVBoxLayout(&state);
    column->setContentsMargins(CardSurface::shadowOverflow(CardElevation::raised));
    column->setSpacing(20);
    return column;
}

void layOutGaugeHero(CardSurface& card, QWidget& gauge, QBoxLayout* column) {
    auto* row = new QHBoxLayout;
    row->setSpacing(28);
    gauge.setFixedSize(180, 180);
    row->addWidget(&gauge);
    row->addLayout(column, 1);
    row->setAlignment(column, Qt::AlignVCenter);
    card.contentLayout()->addLayout(row);
}

TextLabel* makeSectionHeader(const QString& title) {
    auto* header = new TextLabel(title, systemFont(16, QFont::Bold));
    header->setContentsMargins(0, 4, 0, 0);
    return header;
}

} // namespace zn
