#include "Views/Dashboard/DashboardColumn.h"

#include "Views/Components/CardSurface.h"
#include "Views/Components/TextLabel.h"
#include "Views/Components/TextStyles.h"

#include <QVBoxLayout>

namespace zn {

QVBoxLayout* makeStateColumn(QWidget& state) {
    auto* column = new QVBoxLayout(&state);
    column->setContentsMargins(CardSurface::shadowOverflow(CardElevation::raised));
    column->setSpacing(20);
    return column;
}

TextLabel* makeSectionHeader(const QString& title) {
    auto* header = new TextLabel(title, systemFont(16, QFont::Bold));
    header->setContentsMargins(0, 4, 0, 0);
    return header;
}

} // namespace zn
