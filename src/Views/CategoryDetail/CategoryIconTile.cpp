#include "Views/CategoryDetail/CategoryIconTile.h"

#include "Views/Kit/Theme/SchemeColors.h"

#include <QEvent>

namespace zn {

CategoryIconTile::CategoryIconTile(CleaningCategory category, double size, double corner, QWidget* parent)
    : IconTile(std::string(icon(category)), QColor(), size, corner, false, parent), category_(category) {
    applyColor();
}

void CategoryIconTile::setCategory(CleaningCategory category) {
    category_ = category;
    setSymbol(std::string(icon(category)));
    applyColor();
}

void CategoryIconTile::changeEvent(QEvent* event) {
    IconTile::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applyColor();
}

void CategoryIconTile::applyColor() {
    setTint(qColor(color(category_, colorScheme(*this))));
}

} // namespace zn
